// Windows: profile files through the profile store over the Win32 file functions; the platform's own
// profile functions are kept for the tests that hold the store to them.
#include <windows.h>

#include <string>

#include "platform/limits.h"
#include "platform/text_codec.h"
#include "profile_store.h"
#include "real_profile.h"
#include "wide.h"
#include "write_all.h"

namespace platform {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

bool ReadAll(HANDLE h, std::string& out) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h, &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
  out.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t got = 0;
  while (got < out.size()) {
    DWORD n = 0;
    if (!ReadFile(h, out.data() + got, static_cast<DWORD>(out.size() - got), &n, nullptr)) return false;
    if (n == 0) break;
    got += n;
  }
  out.resize(got);
  return true;
}

bool SetSize(HANDLE h, std::uint64_t size) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(size);
  return SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
}

// Takes the disk space for `total` bytes without changing the file's size, so that a full disk fails
// here, before anything is written. A file system that cannot reserve passes.
bool Reserve(HANDLE h, std::uint64_t total) {
  FILE_ALLOCATION_INFO info{};
  info.AllocationSize.QuadPart = static_cast<LONGLONG>(total);
  if (SetFileInformationByHandle(h, FileAllocationInfo, &info, sizeof info)) return true;
  const DWORD error = GetLastError();
  return error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL;
}

// The rewrite for a folder that takes no new file. It cannot survive a crash part-way as a move does,
// but it never fails part-way on its own: the space is reserved first, and a write that fails anyway
// puts the old bytes back.
bool RewriteInPlace(const std::u16string& path, std::string_view bytes) {
  FileHandle h(
      CreateFileW(Wide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string old;
  if (!h.valid() || !ReadAll(h.get(), old)) return false;
  if (bytes.size() > old.size() && !Reserve(h.get(), bytes.size())) return false;
  if (!SetSize(h.get(), 0) || !WriteAll(h.get(), bytes) || !SetEndOfFile(h.get())) {
    if (SetSize(h.get(), 0)) WriteAll(h.get(), old);
    SetEndOfFile(h.get());
    return false;
  }
  return FlushFileBuffers(h.get()) != 0;
}

// A new file of a path too long for a copy beside it: nothing stood there to lose.
bool CreateWhole(const std::u16string& path, std::string_view bytes) {
  bool ok;
  {
    FileHandle h(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) return false;
    ok = Reserve(h.get(), bytes.size()) && WriteAll(h.get(), bytes);
  }
  if (!ok) DeleteFileW(Wide(path));
  return ok;
}

class Win32ProfileFiles : public ProfileFileAccess {
 public:
  std::optional<ProfileStamp> Stamp(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    const std::u16string name(path);
    // Attributes only: opening the file costs several times more, once per clip of a clip list.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(name), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    const std::uint64_t lastWrite = join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    // FAT volumes keep whole (even) seconds.
    return ProfileStamp{join(data.nFileSizeHigh, data.nFileSizeLow), lastWrite,
                        join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime),
                        lastWrite % 10000000u == 0};
  }

  ProfileFile Read(std::u16string_view path) override {
    ProfileFile out;
    if (!WithinPathLimit(path)) return out;
    const std::u16string name(path);
    FileHandle h(CreateFileW(Wide(name), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) {
      if (GetLastError() == ERROR_FILE_NOT_FOUND) out.state = ProfileFileState::Missing;
      return out;
    }
    if (ReadAll(h.get(), out.bytes)) out.state = ProfileFileState::Present;
    return out;
  }

  bool CanWrite(std::u16string_view path) override {
    const std::u16string name(path);
    const DWORD attributes = GetFileAttributesW(Wide(name));
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
  }

  bool Replace(std::u16string_view path, std::string_view bytes) override {
    if (!WithinPathLimit(path)) return false;
    const std::u16string name(path);
    const bool exists = GetFileAttributesW(Wide(name)) != INVALID_FILE_ATTRIBUTES;
    // A new copy beside the file, moved over it: a failure or a crash leaves the old file or the new.
    // Its name is fixed, so that a copy a crash left behind is taken over by the next rewrite.
    const std::u16string temp = ProfileReplacementPath(name);
    if (WithinPathLimit(temp)) {
      bool ok;
      {
        FileHandle h(
            CreateFileW(Wide(temp), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ok = h.valid() && Reserve(h.get(), bytes.size()) && WriteAll(h.get(), bytes);
      }
      if (ok && MoveFileExW(Wide(temp), Wide(name), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
      DeleteFileW(Wide(temp));
    } else if (!exists) {
      return CreateWhole(name, bytes);
    }
    // No new file in the folder, or no room for a second copy: the file itself still has its own.
    return exists && RewriteInPlace(name, bytes);
  }

  bool Append(std::u16string_view path, std::string_view bytes) override {
    if (!WithinPathLimit(path)) return false;
    const std::u16string name(path);
    FileHandle h(CreateFileW(Wide(name), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    LARGE_INTEGER size{};
    if (!h.valid() || !GetFileSizeEx(h.get(), &size)) return false;
    const auto old = static_cast<std::uint64_t>(size.QuadPart);
    if (!Reserve(h.get(), old + bytes.size())) return false;
    LARGE_INTEGER end{};
    end.QuadPart = size.QuadPart;
    if (!SetFilePointerEx(h.get(), end, nullptr, FILE_BEGIN)) return false;
    // Half a section must not stay behind: the host would import it.
    if (!WriteAll(h.get(), bytes)) {
      SetSize(h.get(), old);
      return false;
    }
    return true;
  }
};

// The platform's own functions.
class Win32Profile : public Profile {
 public:
  ProfileString ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                           std::u16string_view defaultValue, std::uint32_t size) override {
    ProfileString out;
    if (size == 0) return out;
    // One spare character in front: a quoted value of one character read with size 1 makes the
    // platform clear the character before the buffer.
    std::wstring buffer(std::size_t{size} + 1, L'\0');
    const DWORD n = GetPrivateProfileStringW(Wide(std::u16string(section)), Wide(std::u16string(key)),
                                             Wide(std::u16string(defaultValue)), buffer.data() + 1, size,
                                             Wide(std::u16string(file)));
    out.count = n;
    out.value = FromWide(buffer.c_str() + 1);
    return out;
  }

  std::int32_t ReadInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                       std::int32_t defaultValue) override {
    return static_cast<std::int32_t>(GetPrivateProfileIntW(Wide(std::u16string(section)), Wide(std::u16string(key)),
                                                           defaultValue, Wide(std::u16string(file))));
  }

  bool WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                   std::optional<std::u16string_view> value) override {
    const std::u16string text = value ? std::u16string(*value) : std::u16string();
    return WritePrivateProfileStringW(Wide(std::u16string(section)), Wide(std::u16string(key)),
                                      value ? Wide(text) : nullptr, Wide(std::u16string(file))) != 0;
  }

  bool WriteSection(std::u16string_view file, std::u16string_view section,
                    const std::optional<std::vector<std::u16string>>& entries) override {
    std::u16string list;
    if (entries) {
      for (const std::u16string& entry : *entries) {
        list += entry;
        list += u'\0';
      }
      list += u'\0';
    }
    return WritePrivateProfileSectionW(Wide(std::u16string(section)), entries ? Wide(list) : nullptr,
                                       Wide(std::u16string(file))) != 0;
  }

  // The platform's functions have no such call: the file's own bytes written back the way the store does.
  bool Touch(std::u16string_view file) override { return WriteProfileFileAgain(NativeProfileFiles(), file); }

  // One call per write: the platform has no batch.
  bool WriteBatch(std::u16string_view file, const std::vector<ProfileWrite>& writes) override {
    bool ok = true;
    for (const ProfileWrite& w : writes) {
      std::optional<std::u16string_view> value;
      if (w.value) value = *w.value;
      ok = WriteString(file, w.section, w.key, value) && ok;
    }
    return ok;
  }
};

}  // namespace

ProfileFileAccess& NativeProfileFiles() {
  static Win32ProfileFiles files;
  return files;
}

Profile* PlatformProfileFunctions() {
  static Win32Profile functions;
  return &functions;
}

}  // namespace platform
