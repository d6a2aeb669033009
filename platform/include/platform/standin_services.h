#pragma once
// What the stand-in host sets up for a plug-in's platform layer before it loads one, and how it reads
// its own command line. None of this is used by the plug-ins.
#include <string>
#include <string_view>

namespace platform {

// POSIX: names the REGEDIT export file that serves as the local machine's registry (the variable of
// standin_host.h) and returns true. Windows: the real registry serves; returns false.
bool UseRegistryFile(const std::u16string& path);

// A command-line argument as wide text: POSIX UTF-8, Windows the ANSI code page.
std::u16string CommandLineText(const char* argument);

// `argument` quoted for a Windows command line, so that the C runtime splits it back to itself: in
// quotes, with the backslashes before a quote doubled.
std::u16string QuotedArgument(std::u16string_view argument);

}  // namespace platform
