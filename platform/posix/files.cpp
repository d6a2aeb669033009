// POSIX: the Windows file behaviour over opendir, stat and plain file descriptors.
#include <dirent.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

#include "path_case.h"
#include "write_all.h"
#include "file_order.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "platform/text.h"
#include "real_parts.h"
#include "wildcard.h"

namespace platform {
namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600;

FileTime ToFileTime(const timespec& time) {
  return static_cast<FileTime>(time.tv_sec + kEpochDifference) * 10000000u +
         static_cast<FileTime>(time.tv_nsec) / 100u;
}

FileEntry EntryOf(std::u16string name, const struct stat& st) {
  FileEntry entry;
  entry.name = std::move(name);
  entry.isDirectory = S_ISDIR(st.st_mode);
  entry.lastWriteTime = ToFileTime(st.st_mtim);
  entry.size = entry.isDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
  return entry;
}

// The path on disk, its components found without regard to case.
std::string OnDisk(std::u16string_view path) { return ResolvePathCase(Utf16ToUtf8(path)); }

// "." and ".." and repeated separators removed without touching the disk, as GetFullPathName does.
std::optional<std::u16string> Normalise(std::u16string_view absolute) {
  std::vector<std::u16string_view> parts;
  std::size_t pos = 0;
  while (pos <= absolute.size()) {
    std::size_t end = absolute.find(u'/', pos);
    if (end == std::u16string_view::npos) end = absolute.size();
    const std::u16string_view part = absolute.substr(pos, end - pos);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
  std::u16string full;
  for (std::u16string_view part : parts) {
    full += u'/';
    full += part;
  }
  if (full.empty() || (absolute.back() == u'/' && !full.ends_with(u'/'))) full += u'/';
  return full;
}

std::optional<std::u16string> CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
  return Utf8ToUtf16(buffer.data());
}

struct ModuleSearch {
  std::uintptr_t address = 0;
  bool found = false;
  std::string name;
};

int FindModuleOf(dl_phdr_info* info, std::size_t, void* data) {
  auto* search = static_cast<ModuleSearch*>(data);
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
    if (search->address >= start && search->address < start + segment.p_memsz) {
      search->found = true;
      search->name = info->dlpi_name != nullptr ? info->dlpi_name : "";
      return 1;
    }
  }
  return 0;
}

std::string MainProgramPath() {
  std::vector<char> buffer(4096);
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

bool WriteFile(std::u16string_view path, std::string_view bytes, int flags) {
  if (!WithinPathLimit(path)) return false;
  const int fd = open(OnDisk(path).c_str(), flags | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes);
  return close(fd) == 0 && written;
}

// Reads at most `maxBytes` bytes from the open `fd` and closes it; nothing when a read fails.
std::optional<std::string> ReadAndClose(int fd, std::size_t maxBytes) {
  std::string bytes;
  char chunk[65536];
  while (bytes.size() < maxBytes) {
    const ssize_t got = read(fd, chunk, std::min(sizeof chunk, maxBytes - bytes.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  close(fd);
  return bytes;
}

class PosixFiles final : public Files {
 public:
  std::vector<FileEntry> Find(std::u16string_view pattern) override { return Search(pattern, false); }

  std::optional<FileEntry> FindFirst(std::u16string_view pattern) override {
    std::vector<FileEntry> entries = Search(pattern, true);
    if (entries.empty()) return std::nullopt;
    return std::move(entries.front());
  }

  // The entries matching `pattern` in the order a search yields them; `firstOnly` stops at the first
  // entry that can be examined, so that a test of a large folder examines one file, not all.
  std::vector<FileEntry> Search(std::u16string_view pattern, bool firstOnly) {
    std::vector<FileEntry> entries;
    const std::u16string namePattern = FileNamePart(pattern);
    if (!WithinPathLimit(pattern) || namePattern.empty()) return entries;
    const std::u16string directory = DriveAndDirectory(pattern);
    DIR* dir = opendir(directory.empty() ? "." : OnDisk(directory).c_str());
    if (dir == nullptr) return entries;
    std::vector<FileEntry> names;
    while (const dirent* item = readdir(dir)) {
      std::u16string name = Utf8ToUtf16(item->d_name);
      if (MatchesWildcard(namePattern, name)) names.push_back(FileEntry{std::move(name), false, 0, 0});
    }
    const auto examine = [&](FileEntry& named) {
      struct stat st {};
      const std::string onDisk = Utf16ToUtf8(named.name);
      // A dangling link is listed as what it is.
      if (fstatat(dirfd(dir), onDisk.c_str(), &st, 0) != 0 &&
          fstatat(dirfd(dir), onDisk.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
      }
      entries.push_back(EntryOf(std::move(named.name), st));
      return true;
    };
    if (firstOnly) {
      // The first in order is picked without sorting the folder.
      while (!names.empty()) {
        const auto first = std::min_element(names.begin(), names.end(), ComesBefore);
        if (examine(*first)) break;
        names.erase(first);
      }
    } else {
      SortByName(names);
      for (FileEntry& named : names) examine(named);
    }
    closedir(dir);
    return entries;
  }

  std::optional<FileEntry> Attributes(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    struct stat st {};
    // A path spelled as on disk is examined at once; only another spelling is looked up without regard
    // to case (a scan examines thousands of files by the names their search gave).
    const std::string spelled = Utf16ToUtf8(path);
    if (stat(spelled.c_str(), &st) != 0 && stat(ResolvePathCase(spelled).c_str(), &st) != 0) return std::nullopt;
    return EntryOf(FileNamePart(path), st);
  }

  std::optional<std::u16string> FullPath(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    std::u16string absolute(path);
    if (path.front() != u'/') {
      std::optional<std::u16string> current = CurrentDirectory();
      if (!current) return std::nullopt;
      absolute = *current + u'/' + absolute;
    }
    std::optional<std::u16string> full = Normalise(absolute);
    if (!full || !WithinPathLimit(*full)) return std::nullopt;
    return full;
  }

  std::optional<std::u16string> ShortPath(std::u16string_view path) override {
    if (!Attributes(path)) return std::nullopt;
    return std::u16string(path);
  }

  bool Remove(std::u16string_view path) override {
    if (!WithinPathLimit(path)) return false;
    const std::string onDisk = OnDisk(path);
    struct stat st {};
    // DeleteFile removes no directories.
    if (lstat(onDisk.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return unlink(onDisk.c_str()) == 0;
  }

  std::u16string ModulePath(void* module) override {
    std::string path;
    if (module == nullptr) {
      path = MainProgramPath();
    } else {
      ModuleSearch search;
      search.address = reinterpret_cast<std::uintptr_t>(module);
      dl_iterate_phdr(FindModuleOf, &search);
      if (!search.found) return {};
      path = search.name.empty() ? MainProgramPath() : search.name;
    }
    if (path.empty()) return {};
    if (path.front() == '/') return Utf8ToUtf16(path);
    // A module loaded by a relative path: absolute against the current directory.
    std::optional<std::u16string> current = CurrentDirectory();
    if (!current) return {};
    return Normalise(*current + u'/' + Utf8ToUtf16(path)).value_or(std::u16string());
  }

  std::optional<std::string> ReadBytes(std::u16string_view path, std::size_t maxBytes) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    const int fd = open(OnDisk(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
      close(fd);
      return std::nullopt;
    }
    return ReadAndClose(fd, maxBytes);
  }

  std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view path, std::size_t maxBytes) override {
    if (!WithinPathLimit(path)) return std::nullopt;
    // Non-blocking, so that a FIFO does not wait for a writer before it is refused.
    const int fd = open(OnDisk(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      return std::nullopt;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    return ReadAndClose(fd, maxBytes);
  }

  bool WriteBytes(std::u16string_view path, std::string_view bytes) override {
    return WriteFile(path, bytes, O_CREAT | O_TRUNC);
  }

  bool AppendBytes(std::u16string_view path, std::string_view bytes) override {
    return WriteFile(path, bytes, O_APPEND);
  }
};

}  // namespace

Files& RealFiles() {
  static PosixFiles files;
  return files;
}

}  // namespace platform
