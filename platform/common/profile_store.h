#pragma once
// Profile files through the document model: decoding and encoding a file's bytes as the platform's
// profile functions do, and the Profile operations on top of a small file-access interface, so that
// each OS supplies only its file calls and its 8-bit code page.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace platform {

enum class ProfileEncoding { Plain, Utf8Bom, Utf16Le, Utf16Be };

// The 8-bit forms: Plain is the file's form without a byte-order mark (Windows: the ANSI code page;
// POSIX: UTF-8, unknown bytes kept), Utf8 the form behind a UTF-8 mark.
struct ProfileCodec {
  std::u16string (*decodePlain)(std::string_view bytes);
  std::string (*encodePlain)(std::u16string_view text);
  std::u16string (*decodeUtf8)(std::string_view bytes);
  std::string (*encodeUtf8)(std::u16string_view text);
};

struct ProfileText {
  std::u16string text;
  ProfileEncoding encoding = ProfileEncoding::Plain;
};

// A byte-order mark decides the encoding (UTF-8, UTF-16 LE or BE); anything else is Plain.
ProfileText DecodeProfile(std::string_view bytes, const ProfileCodec& codec);
// The bytes of `text`; the mark of a marked encoding only when `withMark` (a whole file, not an append).
std::string EncodeProfile(std::u16string_view text, ProfileEncoding encoding, const ProfileCodec& codec,
                          bool withMark);

enum class ProfileFileState {
  Present,      // read (for a write: also writable)
  Missing,      // no such file, but its folder exists: reads as empty, a write creates it
  Unreachable,  // missing folder, path too long, no access, read-only for a write
};

struct ProfileFile {
  ProfileFileState state = ProfileFileState::Unreachable;
  std::string bytes;
};

// What tells one state of a file from another without reading it: size, last-write time and, where the
// platform has one, the file's identity (a replaced file is a new one).
struct ProfileStamp {
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;
  std::uint64_t identity = 0;
  bool operator==(const ProfileStamp&) const = default;
};

class ProfileFileAccess {
 public:
  virtual ~ProfileFileAccess() = default;
  // The file's stamp; nothing when it does not exist or cannot be examined.
  virtual std::optional<ProfileStamp> Stamp(std::u16string_view path) = 0;
  // Reads the whole file; `forWrite` also requires that it can be written.
  virtual ProfileFile Read(std::u16string_view path, bool forWrite) = 0;
  // Replaces the content (creating the file); false, with the old content kept, on failure.
  virtual bool Replace(std::u16string_view path, std::string_view bytes) = 0;
  // Adds bytes at the end of the existing file; false on failure.
  virtual bool Append(std::u16string_view path, std::string_view bytes) = 0;
};

// Every Profile operation through the document model over `files` and `codec` (both must outlive it).
// WriteBatch keeps the document it last wrote, and while the file's stamp shows that nobody else wrote
// it since, the next batch neither reads nor parses the file again: a clip list grows in linear time.
std::unique_ptr<Profile> MakeModelProfile(ProfileFileAccess& files, const ProfileCodec& codec);

// This build's file calls and 8-bit forms (Windows: the ANSI code page; POSIX: UTF-8).
ProfileFileAccess& NativeProfileFiles();
const ProfileCodec& NativeProfileCodec();

}  // namespace platform
