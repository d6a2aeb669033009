#pragma once
// Files held in memory: a folder tree that costs no system call, for tests and fuzzing that run a plug-in
// thousands of times a second. Paths are used as given (either separator splits folder from name);
// names in a search match without regard to case. Nothing fails unless a folder is missing.
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"

namespace platform {
class ProfileFileAccess;
}

namespace platform::fake {

class MemoryFiles final : public Files {
 public:
  // The folder exists from here on (its parents are not needed).
  void AddFolder(std::u16string_view folder);
  // Sets the file's bytes, whether or not its folder exists.
  void Put(std::u16string_view path, std::string_view bytes);
  MemoryFiles();
  ~MemoryFiles() override;
  MemoryFiles(const MemoryFiles&) = delete;
  MemoryFiles& operator=(const MemoryFiles&) = delete;

  // The file's bytes; nothing when it does not exist.
  const std::string* Get(std::u16string_view path) const;

  std::vector<FileEntry> Find(std::u16string_view pattern) override;
  std::optional<FileEntry> FindFirst(std::u16string_view pattern) override;
  std::optional<FileEntry> Attributes(std::u16string_view path) override;
  std::optional<std::u16string> FullPath(std::u16string_view path) override;
  std::optional<std::u16string> ShortPath(std::u16string_view path) override;
  bool Remove(std::u16string_view path) override;
  std::u16string ModulePath(void*) override { return {}; }
  std::optional<std::string> ReadBytes(std::u16string_view path, std::size_t maxBytes) override;
  std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view path, std::size_t maxBytes) override;
  bool WriteBytes(std::u16string_view path, std::string_view bytes) override;
  bool AppendBytes(std::u16string_view path, std::string_view bytes) override;

  // How many writes changed a file so far: its stamp moves with every one, as a file's last-write time.
  std::uint64_t Writes() const { return writes_; }
  bool FolderExists(std::u16string_view path) const;

 private:
  struct File {
    std::string bytes;
    std::uint64_t identity = 0;
    std::uint64_t written = 0;
  };
  friend class MemoryProfileFiles;
  friend std::unique_ptr<Profile> MakeMemoryProfile(MemoryFiles& files);
  std::unique_ptr<ProfileFileAccess> profileFiles_;  // the profile store's calls over the same map

  std::map<std::u16string, File> files_;
  std::set<std::u16string> folders_;
  std::uint64_t writes_ = 0;
  std::uint64_t identities_ = 0;
};

// The profile functions of the real store (this build's 8-bit text) over `files`, which must outlive it.
std::unique_ptr<Profile> MakeMemoryProfile(MemoryFiles& files);

}  // namespace platform::fake
