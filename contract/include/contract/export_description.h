#pragma once
// Reading rules of the export description file, the ini file the host writes for a send plug-in:
// section names, keys with their limits and defaults, word codes, the rate rule and the primary media file.
// Every reader (the players, the encoder) goes through these so that they read one file the same way.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace contract {

// The file and the section a reader looks in, each a type of its own, so that a call with the two swapped,
// or with either in the key's place, does not compile.
struct IniFile {
  constexpr explicit IniFile(std::u16string_view filePath) : path(filePath) {}
  std::u16string_view path;
};
struct IniSection {
  constexpr explicit IniSection(std::u16string_view sectionName) : name(sectionName) {}
  std::u16string_view name;
};

inline constexpr IniSection kGeneralSection{u"GENERAL"};
inline constexpr std::u16string_view kObjectPrefix = u"OBJ";

// The largest description file any reader takes on; a larger one is refused before it is read.
inline constexpr std::size_t kMaxDescriptionBytes = std::size_t{64} << 20;

// Text limits in characters, terminator not counted.
inline constexpr std::uint32_t kLongTextLimit = 254;   // PRJNAME, USERNAME, NAME, COMMENT, FPS
inline constexpr std::uint32_t kShortTextLimit = 9;    // REEL, TRACKS, ATTRIBUTE, SYSTEM
inline constexpr std::uint32_t kTypeLimit = 19;        // TYPE
inline constexpr std::uint32_t kTimecodeLimit = 11;    // MARKIN ... RECOUT
inline constexpr std::uint32_t kMediaPathLimit = 259;  // MEDIA_V, MEDIA_A1 ... MEDIA_A4

// The media keys in the order that decides an object's primary media file.
inline constexpr std::array<std::u16string_view, 5> kMediaKeys = {u"MEDIA_V", u"MEDIA_A1", u"MEDIA_A2",
                                                                  u"MEDIA_A3", u"MEDIA_A4"};

enum class ObjectType : std::int32_t { None = 0, SourceClip = 1, Sequence = 2, Still = 3, Title = 4 };
enum class VideoSystem : std::int32_t { None = 0, Pal = 1, Ntsc = 2, NtscDrop = 3, Film = 4 };

// "OBJ2", "OBJ2_T1", "OBJ2_T1_OBJ": an object section, a track section, and the prefix of a track's objects.
std::u16string ObjectSectionName(std::u16string_view prefix, std::int32_t number);
std::u16string TrackSectionName(std::u16string_view prefix, std::int32_t number, std::int32_t track);
std::u16string TrackObjectPrefix(std::u16string_view prefix, std::int32_t number, std::int32_t track);

// Word codes, compared exactly and with regard to case; any other text is None.
ObjectType ObjectTypeFromWord(std::u16string_view word);
VideoSystem VideoSystemFromWord(std::u16string_view word);

// The rate rule on text as read: a decimal number that spans the whole text, else "a/b" read as two
// integers; `defaultValue` for empty text, no "/", or a zero denominator.
double ParseRate(std::u16string_view text, double defaultValue);

// Readers over the platform's ini reader. Missing sections and keys give the default; text longer than
// `limit` is cut there.
std::u16string ReadText(platform::Profile& profile, IniFile file, IniSection section, std::u16string_view key,
                        std::uint32_t limit, std::u16string_view defaultValue = {});
std::int32_t ReadInteger(platform::Profile& profile, IniFile file, IniSection section, std::u16string_view key,
                         std::int32_t defaultValue = 0);
ObjectType ReadObjectType(platform::Profile& profile, IniFile file, IniSection section);
VideoSystem ReadVideoSystem(platform::Profile& profile, IniFile file);
double ReadRate(platform::Profile& profile, IniFile file, IniSection section, std::u16string_view key,
                double defaultValue);

// The first non-empty media key of an object section, read up to kMediaPathLimit; nothing when all
// five are empty or missing.
std::optional<std::u16string> ReadPrimaryMediaFile(platform::Profile& profile, IniFile file, IniSection section);

}  // namespace contract
