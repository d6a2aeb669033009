// Windows: the real private-profile functions; batches through the document model in the same encoding.
#include <windows.h>

#include <string>

#include "path_limit.h"
#include "profile_store.h"
#include "real_profile.h"
#include "wide.h"

namespace platform {
namespace {

std::u16string Decode(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return FromWide(out.data(), out.size());
}

// Best-fit conversion, unmappable characters becoming "?", as the profile writer does.
std::string Encode(UINT codePage, std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, wide, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::u16string DecodeAnsi(std::string_view bytes) { return Decode(CP_ACP, bytes); }
std::string EncodeAnsi(std::u16string_view text) { return Encode(CP_ACP, text); }
std::u16string DecodeUtf8(std::string_view bytes) { return Decode(CP_UTF8, bytes); }
std::string EncodeUtf8(std::u16string_view text) { return Encode(CP_UTF8, text); }

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

bool WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool WriteNew(const std::u16string& path, DWORD disposition, std::string_view bytes) {
  FileHandle h(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  return h.valid() && WriteAll(h.get(), bytes);
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
    return ProfileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                        join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                        join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime)};
  }

  ProfileFile Read(std::u16string_view path, bool forWrite) override {
    ProfileFile out;
    if (!WithinPathLimit(path)) return out;
    const std::u16string name(path);
    // The access the profile functions open with: a read-only file fails a write.
    FileHandle h(CreateFileW(Wide(name), GENERIC_READ | (forWrite ? GENERIC_WRITE : 0),
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    if (!h.valid()) {
      if (GetLastError() == ERROR_FILE_NOT_FOUND) out.state = ProfileFileState::Missing;
      return out;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return out;
    out.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t got = 0;
    while (got < out.bytes.size()) {
      DWORD n = 0;
      if (!ReadFile(h.get(), out.bytes.data() + got, static_cast<DWORD>(out.bytes.size() - got), &n, nullptr)) return out;
      if (n == 0) break;
      got += n;
    }
    out.bytes.resize(got);
    out.state = ProfileFileState::Present;
    return out;
  }

  bool Replace(std::u16string_view path, std::string_view bytes) override {
    const std::u16string name(path);
    // A new copy beside the file, moved over it, so that a failed write leaves the old file whole.
    std::u16string directory = name.substr(0, name.find_last_of(u"\\/") + 1);
    if (directory.empty()) directory = u".";
    wchar_t temp[MAX_PATH + 1] = {};
    if (directory.size() < MAX_PATH - 14 && GetTempFileNameW(Wide(directory), L"vpf", 0, temp) != 0) {
      const std::u16string tempName = FromWide(temp);
      if (WriteNew(tempName, CREATE_ALWAYS, bytes) &&
          MoveFileExW(temp, Wide(name), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
      DeleteFileW(temp);
      return false;
    }
    // A folder that takes no new files may still hold a writable file: rewrite it in place.
    return GetFileAttributesW(Wide(name)) != INVALID_FILE_ATTRIBUTES && WriteNew(name, TRUNCATE_EXISTING, bytes);
  }

  bool Append(std::u16string_view path, std::string_view bytes) override {
    const std::u16string name(path);
    FileHandle h(CreateFileW(Wide(name), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return h.valid() && WriteAll(h.get(), bytes);
  }
};

const ProfileCodec kAnsiCodec{DecodeAnsi, EncodeAnsi, DecodeUtf8, EncodeUtf8};

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

  bool WriteBatch(std::u16string_view file, const std::vector<ProfileWrite>& writes) override {
    return model_->WriteBatch(file, writes);
  }

 private:
  std::unique_ptr<Profile> model_ = MakeModelProfile(NativeProfileFiles(), kAnsiCodec);
};

}  // namespace

const ProfileCodec& NativeProfileCodec() { return kAnsiCodec; }

ProfileFileAccess& NativeProfileFiles() {
  static Win32ProfileFiles files;
  return files;
}

Profile& RealProfile() {
  static Win32Profile profile;
  return profile;
}

}  // namespace platform
