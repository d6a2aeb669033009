// POSIX: profile files through the document model, UTF-8 text, names reached without regard to case.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "path_case.h"
#include "write_all.h"
#include "path_limit.h"
#include "platform/text.h"
#include "profile_store.h"
#include "real_profile.h"

namespace platform {
namespace {

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Write permission as Windows sees it: a file or folder without any write bit is read-only,
// also for the superuser.
bool Writable(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && (st.st_mode & kAnyWrite) != 0 && access(path.c_str(), W_OK) == 0;
}

bool WriteFile(const std::string& path, int flags, std::string_view bytes) {
  const int fd = open(path.c_str(), flags | O_WRONLY | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, bytes);
  return close(fd) == 0 && ok;
}

class PosixProfileFiles : public ProfileFileAccess {
 public:
  std::optional<ProfileStamp> Stamp(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    struct stat st {};
    if (stat(Resolve(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    const auto time = static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000u +
                      static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
    // A replaced file is a new inode.
    return ProfileStamp{static_cast<std::uint64_t>(st.st_size), time,
                        static_cast<std::uint64_t>(st.st_ino) ^ (static_cast<std::uint64_t>(st.st_dev) << 32)};
  }

  ProfileFile Read(std::u16string_view path, bool forWrite) override {
    ProfileFile out;
    if (!WithinPathLimit(path)) return out;
    const std::string real = Resolve(path);
    const int fd = open(real.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      struct stat st {};
      if (errno == ENOENT && stat(DirectoryOf(real).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        out.state = ProfileFileState::Missing;
      return out;
    }
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char chunk[65536];
    while (ok) {
      const ssize_t n = read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      out.bytes.append(chunk, static_cast<std::size_t>(n));
    }
    close(fd);
    if (ok && (!forWrite || Writable(real))) out.state = ProfileFileState::Present;
    return out;
  }

  bool Replace(std::u16string_view path, std::string_view bytes) override {
    if (!WithinPathLimit(path)) return false;
    const std::string real = Resolve(path);
    const std::string directory = DirectoryOf(real);
    struct stat old {};
    const bool exists = stat(real.c_str(), &old) == 0;
    if (exists ? !Writable(real) : !Writable(directory)) return false;
    // A new copy beside the file, renamed over it, so that a crash never leaves half a file.
    std::string temp = directory + "/.profile-XXXXXX";
    const int fd = Writable(directory) ? mkostemp(temp.data(), O_CLOEXEC) : -1;
    if (fd < 0) {
      // A folder that takes no new files may still hold a writable file: rewrite it in place.
      return exists && WriteFile(real, O_TRUNC, bytes);
    }
    bool ok = WriteAll(fd, bytes) && fchmod(fd, exists ? (old.st_mode & 07777) : 0644) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp.c_str(), real.c_str()) == 0) return true;
    unlink(temp.c_str());
    return false;
  }

  bool Append(std::u16string_view path, std::string_view bytes) override {
    if (!WithinPathLimit(path)) return false;
    const std::string real = Resolve(path);
    return Writable(real) && WriteFile(real, O_APPEND, bytes);
  }

 private:
  static std::string Resolve(std::u16string_view path) { return ResolvePathCase(Utf16ToUtf8(path)); }
};

std::u16string DecodeUtf8(std::string_view bytes) { return Utf8ToUtf16(bytes); }
std::string EncodeUtf8(std::u16string_view text) { return Utf16ToUtf8(text); }

}  // namespace

ProfileFileAccess& NativeProfileFiles() {
  static PosixProfileFiles files;
  return files;
}

const ProfileCodec& NativeProfileCodec() {
  static const ProfileCodec codec{DecodeUtf8, EncodeUtf8, DecodeUtf8, EncodeUtf8};
  return codec;
}

Profile& RealProfile() {
  static const std::unique_ptr<Profile> profile = MakeModelProfile(NativeProfileFiles(), NativeProfileCodec());
  return *profile;
}

}  // namespace platform
