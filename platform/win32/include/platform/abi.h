#pragma once
// Windows: entry points are stdcall and exported through each plug-in's module-definition file.
#define VORLANE_CALL __stdcall
#define VORLANE_EXPORT extern "C"
#define VORLANE_LIBRARY_EXPORT __declspec(dllexport)
#define VORLANE_LIBRARY_IMPORT __declspec(dllimport)
