#pragma once
// A second handle on an existing file that stays open for writing while the object lives, as a program
// that is still writing the file (a recorder filling a media file) holds it.
#include <string>

namespace vorlane::test {

class HeldForWriting {
 public:
  // Windows: CreateFileW with GENERIC_WRITE, sharing read and write, open-existing. POSIX: open O_WRONLY.
  explicit HeldForWriting(const std::u16string& path);
  ~HeldForWriting();
  HeldForWriting(const HeldForWriting&) = delete;
  HeldForWriting& operator=(const HeldForWriting&) = delete;

  // False when the file could not be opened.
  bool Holds() const { return held_; }

 private:
  void* handle_ = nullptr;  // the OS handle, or the descriptor on POSIX
  bool held_ = false;
};

// Whether such a handle keeps out an open that shares the file with readers only: Windows yes; POSIX
// has no share modes.
bool WritersKeepOutReadersDenyingWrite();

}  // namespace vorlane::test
