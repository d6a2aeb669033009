#pragma once
// A profile file as the profile functions see it between two calls: the document that the next call
// reads, and the bytes that the last changing call wrote. Each call is applied as the platform applies
// it (read the file, change it, write it whole), so a run of calls gives, byte for byte, the file that
// the same calls one at a time give; a call costs only the lines it touches unless it removes lines or
// writes a line that a reading of the file would not give back as one line of its kind.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini_document.h"
#include "platform/text_codec.h"

namespace platform {

class ProfileState {
 public:
  // A file's bytes as read; an absent file is empty text without a mark.
  static ProfileState Read(std::string_view bytes, const TextCodec& codec);
  static ProfileState Missing(const TextCodec& codec);

  const IniDocument& Document() const { return doc_; }

  // Applies one call (a WriteString or WriteSection on the document). Returns whether it changed the
  // document, that is whether the platform writes the file for it.
  template <typename Call>
  bool Apply(Call&& call) {
    const IniEdit edit = call(doc_);
    if (edit.kind == IniEdit::None) return false;
    Changed(edit);
    return true;
  }

  // The whole file as the last changing call wrote it.
  std::string Bytes();
  // The bytes to add to the file as last read or stored to give Bytes(); nothing when the calls since
  // changed more than new sections at its end.
  std::optional<std::string> AddedBytes();
  // The file now holds Bytes().
  void Stored();

 private:
  explicit ProfileState(const TextCodec& codec) : codec_(&codec) {}
  void Changed(const IniEdit& edit);
  bool RereadLines(const IniEdit& edit);
  void RereadWhole();
  std::u16string WrittenText(std::size_t firstSection);
  bool FileIsDocument(std::string_view bytes) const;

  // A line the last changing call wrote in another form than a reading gives it (a trailing blank).
  struct WrittenLine {
    std::size_t section;
    std::optional<std::size_t> key;  // absent: the section's header
    IniKey written;
  };

  const TextCodec* codec_;
  IniDocument doc_;
  TextEncoding encoding_ = TextEncoding::Plain;
  bool strayNameless_ = false;                 // doc_.HasStrayNamelessSection(), kept current
  std::optional<std::size_t> sectionsOnDisk_;  // the file is exactly these first sections, as written
  std::vector<WrittenLine> writtenLines_;
  std::optional<std::string> writtenBytes_;  // the last call's bytes, when the document was re-read whole
};

}  // namespace platform
