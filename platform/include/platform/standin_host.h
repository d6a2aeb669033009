#pragma once
// What the POSIX platform layer asks of the stand-in host, which plays the operating system's part there.
// On Windows the real registry answers, and the dialog answers drive the real dialogs (dialog_driver.h).
#include <cstddef>
#include <cstdint>

namespace platform {

// Environment variable naming the REGEDIT export file that serves as the local machine's registry.
inline constexpr const char* kRegistryFileVariable = "VORLANE_REGISTRY_FILE";

}  // namespace platform

extern "C" {

// The stand-in host executable exports one object of this type under the name
// "VorlaneStandInDialogAnswers"; the POSIX dialogs find it with dlsym(RTLD_DEFAULT, ...). Absent: every
// dialog is cancelled. Texts are UTF-8. `initialFolder` is the folder the browser opened on.
struct VorlaneStandInDialogAnswers {
  // Returns 1 with the chosen full paths, one per line, in `files`, and the filter index; 0 = cancelled.
  int (*openFile)(const char* title, char* files, std::size_t filesSize, std::uint32_t* filterIndex);
  // Returns 1 with the chosen folder; 0 = cancelled.
  int (*browseFolder)(const char* title, const char* initialFolder, char* folder, std::size_t folderSize);
};

}  // extern "C"
