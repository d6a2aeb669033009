// The profile store shared by both builds.
#include "profile_store.h"

#include <utility>

#include "platform/limits.h"
#include "platform/os_rules.h"
#include "platform/text.h"
#include "real_profile.h"

namespace platform {
namespace {

constexpr std::size_t kFilesKept = 8;

// FNV-1a, continued over appended bytes from the hash of what came before.
std::uint64_t Hash(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325u) {
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
  return hash;
}

// One key per file name as this build's file system tells names apart.
std::u16string CacheKey(std::u16string_view file) {
  return FileNamesIgnoreCase() ? FoldedText(file) : std::u16string(file);
}

}  // namespace

ProfileStore::Loaded ProfileStore::Load(std::u16string_view file) {
  const std::u16string key = CacheKey(file);
  const std::optional<ProfileStamp> stamp = files_.Stamp(file);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->key != key) continue;
    bool valid = stamp && it->stamp == stamp;
    if (valid && stamp->coarse) {
      const ProfileFile f = files_.Read(file);
      valid = f.state == ProfileFileState::Present && it->hash && Hash(f.bytes) == *it->hash;
    }
    if (valid) {
      entries_.splice(entries_.begin(), entries_, it);
      return {ProfileFileState::Present, &entries_.front()};
    }
    entries_.erase(it);
    break;
  }
  // Refused before it is read, so that a hostile size costs no memory.
  if (stamp && stamp->size > kMaxProfileFileBytes) return {};
  ProfileFile f = files_.Read(file);
  if (f.state == ProfileFileState::Unreachable) return {};
  const bool present = f.state == ProfileFileState::Present;
  std::optional<std::uint64_t> hash;
  if (stamp && stamp->coarse) hash = Hash(f.bytes);
  entries_.push_front(Entry{key, present ? stamp : std::nullopt, hash,
                            present ? ProfileState::Read(f.bytes, codec_) : ProfileState::Missing(codec_)});
  if (entries_.size() > kFilesKept) entries_.pop_back();
  return {f.state, &entries_.front()};
}

ProfileStore::Loaded ProfileStore::LoadFor(std::u16string_view file, std::u16string_view section) {
  Loaded loaded = Load(file);
  if (loaded.entry && loaded.entry->state.Forgets(section)) {
    entries_.pop_front();
    loaded = Load(file);
  }
  return loaded;
}

ProfileString ProfileStore::ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, std::uint32_t size) {
  const Loaded loaded = LoadFor(file, section);
  // Only a file that cannot be reached at all gives the default without its quote handling.
  if (!loaded.entry) return ProfileDefault(defaultValue, size, false);
  return loaded.entry->state.Document().ReadString(section, key, defaultValue, size);
}

std::vector<ProfileString> ProfileStore::ReadStrings(std::u16string_view file, const std::vector<ProfileRead>& reads) {
  std::vector<ProfileString> out;
  out.reserve(reads.size());
  Loaded loaded = Load(file);
  for (const ProfileRead& r : reads) {
    if (loaded.entry && loaded.entry->state.Forgets(r.section)) loaded = LoadFor(file, r.section);
    out.push_back(loaded.entry ? loaded.entry->state.Document().ReadString(r.section, r.key, r.defaultValue, r.size)
                               : ProfileDefault(r.defaultValue, r.size, false));
  }
  return out;
}

std::int32_t ProfileStore::ReadInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                                   std::int32_t defaultValue) {
  const Loaded loaded = LoadFor(file, section);
  if (!loaded.entry) return defaultValue;
  return loaded.entry->state.Document().ReadInt(section, key, defaultValue);
}

template <typename Calls>
bool ProfileStore::Write(std::u16string_view file, Calls&& calls) {
  Loaded loaded = Load(file);
  if (!loaded.entry) return false;
  if (loaded.fileState == ProfileFileState::Present && !files_.CanWrite(file)) return false;
  if (calls(loaded.entry->state) == ProfileState::Applied::NeedsWholeFile) {
    // The calls named sections that only the file holds: they run again over all of it.
    entries_.pop_front();
    loaded = Load(file);
    if (!loaded.entry) return false;
    calls(loaded.entry->state);
  }
  Entry& entry = *loaded.entry;
  // Nothing changed: the file is not written (nor created), and what is kept of it stays true.
  const std::optional<ProfileState::Output> out = entry.state.Pending();
  if (!out) return true;
  const bool ok = out->append ? files_.Append(file, out->bytes) : files_.Replace(file, out->bytes);
  if (!ok) {
    entries_.pop_front();
    return false;
  }
  entry.stamp = files_.Stamp(file);
  // Only a coarse stamp needs the content's hash to tell two states apart.
  if (entry.stamp && entry.stamp->coarse) {
    if (!out->append) {
      entry.hash = Hash(out->bytes);
    } else if (entry.hash) {
      entry.hash = Hash(out->bytes, *entry.hash);
    } else {
      entry.stamp.reset();
    }
  } else {
    entry.hash.reset();
  }
  entry.state.Stored();  // after the last use of what Pending() gave
  return true;
}

bool ProfileStore::WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                               std::optional<std::u16string_view> value) {
  return Write(file, [&](ProfileState& state) {
    return state.Apply(section, [&](IniDocument& doc) { return doc.WriteString(section, key, value); });
  });
}

bool ProfileStore::WriteSection(std::u16string_view file, std::u16string_view section,
                                const std::optional<std::vector<std::u16string>>& entries) {
  return Write(file, [&](ProfileState& state) {
    return state.Apply(section, [&](IniDocument& doc) { return doc.WriteSection(section, entries); });
  });
}

bool ProfileStore::WriteBatch(std::u16string_view file, const std::vector<ProfileWrite>& writes) {
  return Write(file, [&](ProfileState& state) {
    for (const ProfileWrite& w : writes) {
      std::optional<std::u16string_view> value;
      if (w.value) value = *w.value;
      const ProfileState::Applied applied =
          state.Apply(w.section, [&](IniDocument& doc) { return doc.WriteString(w.section, w.key, value); });
      if (applied == ProfileState::Applied::NeedsWholeFile) return applied;
    }
    return ProfileState::Applied::Changed;
  });
}

bool ProfileStore::WriteSections(std::u16string_view file, const std::vector<ProfileSectionWrite>& sections) {
  // Run again over the whole file, the batch keeps nothing by name: it names what the kept state lacks.
  bool first = true;
  return Write(file, [&](ProfileState& state) { return state.ApplySections(sections, std::exchange(first, false)); });
}

std::vector<bool> ProfileStore::SectionsReadBack(std::u16string_view file,
                                                 const std::vector<ProfileSectionWrite>& sections, std::uint32_t size) {
  // Load compares the file's stamp with the one taken after the last store: the sections kept by name
  // are in the file as formed.
  const Loaded loaded = Load(file);
  if (loaded.entry) {
    if (std::optional<std::vector<bool>> intact = loaded.entry->state.ReadBack(sections, size)) return *intact;
  }
  return Profile::SectionsReadBack(file, sections, size);
}

bool WriteProfileFileAgain(ProfileFileAccess& files, std::u16string_view file) {
  const ProfileFile f = files.Read(file);
  if (f.state == ProfileFileState::Unreachable) return false;
  if (f.state == ProfileFileState::Present && !files.CanWrite(file)) return false;
  return files.Replace(file, f.bytes);
}

bool ProfileStore::Touch(std::u16string_view file) {
  // The next call reads the file again rather than trust a stamp taken around this write.
  const std::u16string key = CacheKey(file);
  entries_.remove_if([&key](const Entry& entry) { return entry.key == key; });
  return WriteProfileFileAgain(files_, file);
}

std::u16string ProfileReplacementPath(std::u16string_view file) { return std::u16string(file) + u".new"; }

Profile& RealProfile() {
  static ProfileStore store(NativeProfileFiles(), NativeTextCodec());
  return store;
}

}  // namespace platform
