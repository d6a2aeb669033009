#pragma once
// Files and paths. Windows: the wide file functions. POSIX: the same observable behaviour; a path that
// does not exist as spelled is looked up component by component without regard to case (as Wine does),
// and new files are created under the spelling given.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// 100 ns intervals since 1601-01-01 UTC, exact on both builds.
using FileTime = std::uint64_t;

struct FileEntry {
  std::u16string name;        // file name only
  bool isDirectory = false;
  FileTime lastWriteTime = 0;
  std::uint64_t size = 0;
};

class Files {
 public:
  virtual ~Files() = default;

  // FindFirstFile/FindNextFile over "dir\\pattern": "*" and "?" match without regard to case. POSIX
  // yields entries sorted by name without regard to case, as NTFS does; "." and ".." are included where
  // the pattern matches them, as on Windows. Empty when nothing matches or the directory cannot be read.
  virtual std::vector<FileEntry> Find(std::u16string_view pattern) = 0;

  // The first entry FindFirstFile yields for `pattern`, or nothing.
  virtual std::optional<FileEntry> FindFirst(std::u16string_view pattern) = 0;

  // GetFileAttributes/GetFileAttributesEx: nothing when the path does not exist.
  virtual std::optional<FileEntry> Attributes(std::u16string_view path) = 0;

  // GetFullPathName against the current directory; nothing on failure.
  virtual std::optional<std::u16string> FullPath(std::u16string_view path) = 0;
  // GetShortPathName (8.3 names); POSIX: the path unchanged when it exists. Nothing on failure.
  virtual std::optional<std::u16string> ShortPath(std::u16string_view path) = 0;

  // DeleteFile; a missing file is reported as false.
  virtual bool Remove(std::u16string_view path) = 0;

  // The full path of a loaded module, from its handle.
  virtual std::u16string ModulePath(void* module) = 0;

  // Reads at most `maxBytes` bytes from the start of the file; nothing when it cannot be opened.
  // Windows: shares the file with readers and writers, so a file another program writes can be read.
  virtual std::optional<std::string> ReadBytes(std::u16string_view path, std::size_t maxBytes) = 0;
  // As ReadBytes, but the file must open as an existing file that nobody else writes: read access,
  // shared with readers only, open-existing, random-access hint; closed at once (`maxBytes` 0 tests
  // only the open). Nothing for a directory, or on Windows while another handle has the file open for
  // writing. POSIX has no share modes: any regular file that opens for reading. Never waits.
  virtual std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view path, std::size_t maxBytes) = 0;
  // Replaces the file's content, creating it; false on failure.
  virtual bool WriteBytes(std::u16string_view path, std::string_view bytes) = 0;
  // Appends to an existing file; false on failure.
  virtual bool AppendBytes(std::u16string_view path, std::string_view bytes) = 0;
};

}  // namespace platform
