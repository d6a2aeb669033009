// Windows: the wide file functions.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "file_order.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "real_parts.h"
#include "wide.h"
#include "write_all.h"

namespace platform {
namespace {

FileTime ToFileTime(const FILETIME& time) {
  return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FileEntry EntryOf(const WIN32_FIND_DATAW& data) {
  FileEntry entry;
  entry.name = FromWide(data.cFileName);
  entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.lastWriteTime = ToFileTime(data.ftLastWriteTime);
  entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return entry;
}

// A path function that fills a buffer of kMaxPathChars + 1 characters; nothing when it fails or the
// result does not fit.
template <typename Call>
std::optional<std::u16string> BoundedPath(Call call) {
  wchar_t buffer[kMaxPathChars + 1] = {};
  const DWORD length = call(buffer, static_cast<DWORD>(kMaxPathChars + 1));
  if (length == 0 || length > kMaxPathChars) return std::nullopt;
  return FromWide(buffer, length);
}

HANDLE OpenFile(std::u16string_view path, DWORD access, DWORD disposition) {
  if (!WithinPathLimit(path)) return INVALID_HANDLE_VALUE;
  return CreateFileW(Wide(std::u16string(path)), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteTo(HANDLE file, std::string_view bytes) {
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, bytes);
  return CloseHandle(file) && written;
}

// Reads at most `maxBytes` bytes from `file` and closes it; nothing when it did not open or a read fails.
std::optional<std::string> ReadAndClose(HANDLE file, std::size_t maxBytes) {
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  std::vector<char> chunk(65536);
  while (bytes.size() < maxBytes) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(chunk.size(), maxBytes - bytes.size()));
    if (!ReadFile(file, chunk.data(), want, &got, nullptr)) {
      CloseHandle(file);
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.append(chunk.data(), got);
  }
  CloseHandle(file);
  return bytes;
}

class Win32Files final : public Files {
 public:
  std::vector<FileEntry> Find(std::u16string_view pattern) override {
    std::vector<FileEntry> entries;
    if (!WithinPathLimit(pattern)) return entries;
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW(Wide(std::u16string(pattern)), &data);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
      entries.push_back(EntryOf(data));
    } while (FindNextFileW(search, &data));
    FindClose(search);
    // NTFS yields names in this order; other file systems (and Wine) need not.
    SortByName(entries);
    return entries;
  }

  std::optional<FileEntry> FindFirst(std::u16string_view pattern) override {
    if (!WithinPathLimit(pattern)) return std::nullopt;
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW(Wide(std::u16string(pattern)), &data);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(search);
    return EntryOf(data);
  }

  std::optional<FileEntry> Attributes(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(std::u16string(path)), GetFileExInfoStandard, &data)) return std::nullopt;
    FileEntry entry;
    entry.name = FileNamePart(path);
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.lastWriteTime = ToFileTime(data.ftLastWriteTime);
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return entry;
  }

  std::optional<std::u16string> FullPath(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    const std::u16string text(path);
    return BoundedPath([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(Wide(text), size, buffer, nullptr); });
  }

  std::optional<std::u16string> ShortPath(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    const std::u16string text(path);
    return BoundedPath([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(Wide(text), buffer, size); });
  }

  bool Remove(std::u16string_view path) override {
    return WithinPathLimit(path) && DeleteFileW(Wide(std::u16string(path))) != FALSE;
  }

  std::u16string ModulePath(void* module) override {
    // Grow the buffer until the whole path fits: a cut path would name another file.
    std::vector<wchar_t> buffer(MAX_PATH);
    while (buffer.size() <= 32768) {
      const DWORD length =
          GetModuleFileNameW(static_cast<HMODULE>(module), buffer.data(), static_cast<DWORD>(buffer.size()));
      if (length == 0) return {};
      if (length < buffer.size()) return FromWide(buffer.data(), length);
      buffer.resize(buffer.size() * 2);
    }
    return {};
  }

  std::optional<std::string> ReadBytes(std::u16string_view path, std::size_t maxBytes) override {
    return ReadAndClose(OpenFile(path, GENERIC_READ, OPEN_EXISTING), maxBytes);
  }

  std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view path, std::size_t maxBytes) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    // Without write sharing the open fails while any other handle writes the file. Without
    // FILE_FLAG_BACKUP_SEMANTICS a directory does not open.
    return ReadAndClose(CreateFileW(Wide(std::u16string(path)), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_RANDOM_ACCESS, nullptr),
                        maxBytes);
  }

  bool WriteBytes(std::u16string_view path, std::string_view bytes) override {
    return WriteTo(OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS), bytes);
  }

  bool AppendBytes(std::u16string_view path, std::string_view bytes) override {
    return WriteTo(OpenFile(path, FILE_APPEND_DATA, OPEN_EXISTING), bytes);
  }
};

}  // namespace

Files& RealFiles() {
  static Win32Files files;
  return files;
}

}  // namespace platform
