#pragma once
// The rules that differ between the two builds, each named, so that no caller infers them from a
// side effect such as the separator. Windows: true for all. POSIX: false for all.
namespace platform {

// File names compare without regard to case.
bool FileNamesIgnoreCase();
// Entry points are exported under their decorated stdcall names ("_Startup@0").
bool ExportsAreDecorated();
// Paths have 8.3 short forms that differ from the long ones.
bool HasShortNames();
// Paths may begin with a drive ("C:") and take "/" as well as the separator between names.
bool PathsHaveDrives();

}  // namespace platform
