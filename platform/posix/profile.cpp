// POSIX: profile files through the profile store, UTF-8 text, names reached without regard to case.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "path_case.h"
#include "platform/limits.h"
#include "platform/text.h"
#include "profile_store.h"
#include "real_profile.h"
#include "write_all.h"

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

// The file a chain of symbolic links ends at, so that a rewrite replaces the target and keeps the link,
// as an append writes through it. The path itself when it is no link; a dangling link gives the path
// it points to, which the rewrite then creates.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return path;
    target.resize(static_cast<std::size_t>(n));
    path = target.front() == '/' ? target : DirectoryOf(path) + "/" + target;
  }
  return path;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool ReadAll(int fd, std::string& out) {
  char chunk[65536];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(chunk, static_cast<std::size_t>(n));
  }
}

bool WriteAllAt(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t written = pwrite(fd, bytes.data(), bytes.size(), offset);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
    offset += written;
  }
  return true;
}

// Takes the disk space for `length` more bytes after `size` without changing the file's size, so that a
// full disk fails here, before anything is written. A file system that cannot reserve passes.
bool Reserve(int fd, off_t size, std::size_t length) {
  if (length == 0) return true;
  const int rc = fallocate(fd, FALLOC_FL_KEEP_SIZE, size, static_cast<off_t>(length));
  return rc == 0 || errno == EOPNOTSUPP || errno == ENOSYS;
}

// Puts a file back to `size` bytes after a failed write.
void CutBack(int fd, off_t size) {
  while (ftruncate(fd, size) != 0 && errno == EINTR) {
  }
}

// The rewrite for a folder that takes no new file. It cannot survive a crash part-way as a rename does,
// but it never fails part-way on its own: the space is reserved first, and a write that fails anyway
// puts the old bytes back.
bool RewriteInPlace(const std::string& path, std::string_view bytes) {
  Descriptor fd(open(path.c_str(), O_RDWR | O_CLOEXEC));
  std::string old;
  if (fd.get() < 0 || !ReadAll(fd.get(), old)) return false;
  if (bytes.size() > old.size() && !Reserve(fd.get(), static_cast<off_t>(old.size()), bytes.size() - old.size()))
    return false;
  if (!WriteAllAt(fd.get(), bytes, 0) || ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) {
    if (WriteAllAt(fd.get(), old, 0)) CutBack(fd.get(), static_cast<off_t>(old.size()));
    return false;
  }
  return fdatasync(fd.get()) == 0 && fd.Close();
}

class PosixProfileFiles : public ProfileFileAccess {
 public:
  std::optional<ProfileStamp> Stamp(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    struct stat st {};
    if (stat(Resolve(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    const auto time =
        static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000u + static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
    // A replaced file is a new inode.
    return ProfileStamp{static_cast<std::uint64_t>(st.st_size), time,
                        static_cast<std::uint64_t>(st.st_ino) ^ (static_cast<std::uint64_t>(st.st_dev) << 32),
                        st.st_mtim.tv_nsec == 0};
  }

  ProfileFile Read(std::u16string_view path) override {
    ProfileFile out;
    if (!WithinPathLimit(path)) return out;
    const std::string real = Resolve(path);
    Descriptor fd(open(real.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
      struct stat st {};
      if (errno == ENOENT && stat(DirectoryOf(real).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        out.state = ProfileFileState::Missing;
      return out;
    }
    struct stat st {};
    if (fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && ReadAll(fd.get(), out.bytes))
      out.state = ProfileFileState::Present;
    return out;
  }

  bool CanWrite(std::u16string_view path) override {
    const std::string real = Resolve(path);
    struct stat st {};
    return stat(real.c_str(), &st) != 0 || Writable(real);
  }

  bool Replace(std::u16string_view path, std::string_view bytes) override {
    if (!WithinPathLimit(path)) return false;
    const std::string real = FollowLinks(Resolve(path));
    const std::string directory = DirectoryOf(real);
    struct stat old {};
    const bool exists = stat(real.c_str(), &old) == 0;
    if (exists ? !Writable(real) : !Writable(directory)) return false;
    if (!Writable(directory)) return RewriteInPlace(real, bytes);
    // A new copy beside the file, renamed over it: a failure or a crash leaves the old file or the new.
    // Its name is fixed, so that a copy a crash left behind is taken over by the next rewrite.
    const std::string temp = Resolve(ProfileReplacementPath(Utf8ToUtf16(real)));
    bool ok = false;
    {
      Descriptor fd(open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
      ok = fd.get() >= 0 && Reserve(fd.get(), 0, bytes.size()) && WriteAll(fd.get(), bytes) &&
           fchmod(fd.get(), exists ? (old.st_mode & 07777) : 0644) == 0 && fdatasync(fd.get()) == 0 && fd.Close() &&
           rename(temp.c_str(), real.c_str()) == 0;
    }
    if (ok) return true;
    unlink(temp.c_str());
    // No room for a second copy (a full disk): the file itself still has its own.
    return exists && RewriteInPlace(real, bytes);
  }

  bool Append(std::u16string_view path, std::string_view bytes) override {
    if (!WithinPathLimit(path)) return false;
    const std::string real = Resolve(path);
    if (!Writable(real)) return false;
    Descriptor fd(open(real.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || fstat(fd.get(), &st) != 0 || !Reserve(fd.get(), st.st_size, bytes.size())) return false;
    // Half a section must not stay behind: the host would import it.
    if (!WriteAll(fd.get(), bytes)) {
      CutBack(fd.get(), st.st_size);
      return false;
    }
    return fd.Close();
  }

 private:
  static std::string Resolve(std::u16string_view path) { return ResolvePathCase(Utf16ToUtf8(path)); }
};

}  // namespace

ProfileFileAccess& NativeProfileFiles() {
  static PosixProfileFiles files;
  return files;
}

Profile* PlatformProfileFunctions() { return nullptr; }

}  // namespace platform
