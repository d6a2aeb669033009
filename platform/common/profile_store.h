#pragma once
// Every profile call of both builds goes through one store: it keeps the last few files it read or
// wrote, and while a file's stamp shows that nobody changed it since, reads and writes neither read nor
// parse it again. Each OS supplies only its file calls and its 8-bit forms.
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile.h"
#include "platform/text_codec.h"
#include "profile_state.h"

namespace platform {

enum class ProfileFileState {
  Present,      // read
  Missing,      // no such file, but its folder exists: reads as empty, a write creates it
  Unreachable,  // missing folder, path too long, no access
};

struct ProfileFile {
  ProfileFileState state = ProfileFileState::Unreachable;
  std::string bytes;
};

// What tells one state of a file from another without reading it: size, last-write time and the file's
// identity (a replaced file is a new one). `coarse` marks a time of whole seconds, from a volume whose
// clock cannot tell two writes in a row apart; the content is compared then.
struct ProfileStamp {
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;
  std::uint64_t identity = 0;
  bool coarse = false;
  bool operator==(const ProfileStamp&) const = default;
};

class ProfileFileAccess {
 public:
  virtual ~ProfileFileAccess() = default;
  // The file's stamp; nothing when it does not exist or cannot be examined.
  virtual std::optional<ProfileStamp> Stamp(std::u16string_view path) = 0;
  virtual ProfileFile Read(std::u16string_view path) = 0;
  // Whether an existing file may be written (a read-only file fails every write); true for a missing one.
  virtual bool CanWrite(std::u16string_view path) = 0;
  // Replaces the content, creating the file. On failure the old file is left exactly as it was; a crash
  // leaves the old or the new file, except where no new copy can be made beside it (a folder that takes
  // no new file, a full disk): the file is then rewritten in place.
  virtual bool Replace(std::u16string_view path, std::string_view bytes) = 0;
  // Adds bytes at the end of the existing file. On failure the file is left exactly as it was.
  virtual bool Append(std::u16string_view path, std::string_view bytes) = 0;
};

class ProfileStore final : public Profile {
 public:
  // `files` and `codec` must outlive the store.
  ProfileStore(ProfileFileAccess& files, const TextCodec& codec) : files_(files), codec_(codec) {}

  ProfileString ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                           std::u16string_view defaultValue, std::uint32_t size) override;
  std::vector<ProfileString> ReadStrings(std::u16string_view file, const std::vector<ProfileRead>& reads) override;
  std::int32_t ReadInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                       std::int32_t defaultValue) override;
  bool WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                   std::optional<std::u16string_view> value) override;
  bool WriteSection(std::u16string_view file, std::u16string_view section,
                    const std::optional<std::vector<std::u16string>>& entries) override;
  bool WriteBatch(std::u16string_view file, const std::vector<ProfileWrite>& writes) override;
  bool WriteSections(std::u16string_view file, const std::vector<ProfileSectionWrite>& sections) override;
  std::vector<bool> SectionsReadBack(std::u16string_view file, const std::vector<ProfileSectionWrite>& sections,
                                     std::uint32_t size) override;
  bool Touch(std::u16string_view file) override;

 private:
  struct Entry {
    std::u16string key;
    std::optional<ProfileStamp> stamp;  // absent: not to be trusted on the next call
    std::optional<std::uint64_t> hash;  // of the file's bytes; taken where stamps are coarse
    ProfileState state;
  };
  struct Loaded {
    ProfileFileState fileState = ProfileFileState::Unreachable;
    Entry* entry = nullptr;
  };

  Loaded Load(std::u16string_view file);
  // Load, with the whole document when the kept state forgot `section`.
  Loaded LoadFor(std::u16string_view file, std::u16string_view section);
  template <typename Calls>
  bool Write(std::u16string_view file, Calls&& calls);

  ProfileFileAccess& files_;
  const TextCodec& codec_;
  std::list<Entry> entries_;  // most recently used first
};

// Writes `file` again with the bytes it holds (a missing one is created empty), so that its last-write
// time moves; false when it cannot be reached or written. What Profile::Touch does on both builds.
bool WriteProfileFileAgain(ProfileFileAccess& files, std::u16string_view file);

// This build's file calls (Windows: the Win32 file functions; POSIX: names reached without regard to case).
ProfileFileAccess& NativeProfileFiles();

}  // namespace platform
