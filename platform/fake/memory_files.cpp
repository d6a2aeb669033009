#include "platform/fake/memory_files.h"

#include <algorithm>

#include "platform/text.h"
#include "platform/text_codec.h"
#include "profile_store.h"
#include "wildcard.h"

namespace platform::fake {

namespace {

std::pair<std::u16string_view, std::u16string_view> FolderAndName(std::u16string_view path) {
  const std::size_t cut = path.find_last_of(u"/\\");
  if (cut == std::u16string_view::npos) return {std::u16string_view(), path};
  return {path.substr(0, cut), path.substr(cut + 1)};
}

}  // namespace

void MemoryFiles::AddFolder(std::u16string_view folder) {
  while (!folder.empty() && (folder.back() == u'/' || folder.back() == u'\\')) folder.remove_suffix(1);
  folders_.emplace(folder);
}

void MemoryFiles::Put(std::u16string_view path, std::string_view bytes) {
  File& file = files_[std::u16string(path)];
  file.bytes.assign(bytes);
  file.identity = ++identities_;
  file.written = ++writes_;
}

const std::string* MemoryFiles::Get(std::u16string_view path) const {
  const auto it = files_.find(std::u16string(path));
  return it == files_.end() ? nullptr : &it->second.bytes;
}

bool MemoryFiles::FolderExists(std::u16string_view path) const { return folders_.contains(std::u16string(path)); }

std::vector<FileEntry> MemoryFiles::Find(std::u16string_view pattern) {
  const auto [folder, namePattern] = FolderAndName(pattern);
  std::vector<FileEntry> found;
  // Files of one folder sit side by side in the map, behind the folder's name and a separator.
  for (auto it = files_.lower_bound(std::u16string(folder)); it != files_.end(); ++it) {
    const std::u16string_view path = it->first;
    if (!path.starts_with(folder)) break;
    const auto [fileFolder, name] = FolderAndName(path);
    if (fileFolder.size() != folder.size() || !MatchesWildcard(namePattern, name)) continue;
    found.push_back({std::u16string(name), false, it->second.written, it->second.bytes.size()});
  }
  for (const std::u16string& sub : folders_) {
    const auto [parent, name] = FolderAndName(sub);
    if (parent == folder && MatchesWildcard(namePattern, name)) found.push_back({std::u16string(name), true, 0, 0});
  }
  std::sort(found.begin(), found.end(),
            [](const FileEntry& a, const FileEntry& b) { return FoldedText(a.name) < FoldedText(b.name); });
  return found;
}

std::optional<FileEntry> MemoryFiles::FindFirst(std::u16string_view pattern) {
  std::vector<FileEntry> found = Find(pattern);
  if (found.empty()) return std::nullopt;
  return found.front();
}

std::optional<FileEntry> MemoryFiles::Attributes(std::u16string_view path) {
  const auto name = std::u16string(FolderAndName(path).second);
  if (const auto it = files_.find(std::u16string(path)); it != files_.end())
    return FileEntry{name, false, it->second.written, it->second.bytes.size()};
  if (FolderExists(path)) return FileEntry{name, true, 0, 0};
  return std::nullopt;
}

std::optional<std::u16string> MemoryFiles::FullPath(std::u16string_view path) { return std::u16string(path); }

std::optional<std::u16string> MemoryFiles::ShortPath(std::u16string_view path) {
  if (!Attributes(path)) return std::nullopt;
  return std::u16string(path);
}

bool MemoryFiles::Remove(std::u16string_view path) { return files_.erase(std::u16string(path)) != 0; }

std::optional<std::string> MemoryFiles::ReadBytes(std::u16string_view path, std::size_t maxBytes) {
  const std::string* bytes = Get(path);
  if (bytes == nullptr) return std::nullopt;
  return bytes->substr(0, maxBytes);
}

std::optional<std::string> MemoryFiles::ReadBytesDenyingWrite(std::u16string_view path, std::size_t maxBytes) {
  return ReadBytes(path, maxBytes);
}

bool MemoryFiles::WriteBytes(std::u16string_view path, std::string_view bytes) {
  if (!FolderExists(FolderAndName(path).first)) return false;
  Put(path, bytes);
  return true;
}

bool MemoryFiles::AppendBytes(std::u16string_view path, std::string_view bytes) {
  const auto it = files_.find(std::u16string(path));
  if (it == files_.end()) return false;
  it->second.bytes.append(bytes);
  it->second.written = ++writes_;
  return true;
}

// The profile store's file calls over the same map.
class MemoryProfileFiles final : public ProfileFileAccess {
 public:
  explicit MemoryProfileFiles(MemoryFiles& files) : files_(files) {}

  std::optional<ProfileStamp> Stamp(std::u16string_view path) override {
    const auto it = files_.files_.find(std::u16string(path));
    if (it == files_.files_.end()) return std::nullopt;
    return ProfileStamp{it->second.bytes.size(), it->second.written, it->second.identity, false};
  }
  ProfileFile Read(std::u16string_view path) override {
    if (const std::string* bytes = files_.Get(path)) return {ProfileFileState::Present, *bytes};
    return {files_.FolderExists(FolderAndName(path).first) ? ProfileFileState::Missing : ProfileFileState::Unreachable,
            {}};
  }
  bool CanWrite(std::u16string_view) override { return true; }
  bool Replace(std::u16string_view path, std::string_view bytes) override { return files_.WriteBytes(path, bytes); }
  bool Append(std::u16string_view path, std::string_view bytes) override { return files_.AppendBytes(path, bytes); }

 private:
  MemoryFiles& files_;
};

MemoryFiles::MemoryFiles() : profileFiles_(std::make_unique<MemoryProfileFiles>(*this)) {}
MemoryFiles::~MemoryFiles() = default;

std::unique_ptr<Profile> MakeMemoryProfile(MemoryFiles& files) {
  return std::make_unique<ProfileStore>(*files.profileFiles_, NativeTextCodec());
}

}  // namespace platform::fake
