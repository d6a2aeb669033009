#pragma once
// A profile file as the profile functions see it between two calls. Each call is applied as the platform
// applies it (read the file, change it, write it whole), so a run of calls gives, byte for byte, the file
// that the same calls one at a time give; a call costs only the lines it touches unless it removes lines
// or writes a line that a reading of the file would not give back as one line of its kind.
//
// Two things are kept: the document that the next reading of the file gives, and how the file's bytes
// stand to it. Since the file was read or last stored, it is either exactly the document's text, or
// other bytes that read as the document (remarks, blank lines, a line in the form its call wrote it).
// The calls applied since then make one of four changes: none; new sections added at the end of an
// exact file; the whole file written from the document; the whole file written from the bytes the last
// call gave, from which the document was read again.
//
// Of a large exact file only the sections its last change added are kept; the earlier ones are known
// only by name, which is enough to append more. A batch of sections that are all new to the file and
// printable ASCII is formed straight into the file's bytes, and its sections are kept by name with a
// hash of their lines: enough to append more, and to tell that the same sections are asked for again.
// A call or read that needs more of any section known by name needs the file read again (Forgets).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

#include "ini_document.h"
#include "platform/text_codec.h"

namespace platform {

class ProfileState {
 public:
  // A file's bytes as read; an absent file is empty text without a mark.
  static ProfileState Read(std::string_view bytes, const TextCodec& codec);
  static ProfileState Missing(const TextCodec& codec);

  // Whether a read or call naming `section` needs sections that only the file still holds.
  bool Forgets(std::u16string_view section) const;
  // The document the next reading gives, as far as it is kept (see Forgets).
  const IniDocument& Document() const { return doc_; }

  enum class Applied { Unchanged, Changed, NeedsWholeFile };
  // Applies one call (a WriteString or WriteSection on the document) naming `section`. NeedsWholeFile:
  // the call needs what this state forgot, and the state is no longer of use.
  template <typename Call>
  Applied Apply(std::u16string_view section, Call&& call) {
    if (Forgets(section)) return Applied::NeedsWholeFile;
    const IniEdit edit = call(doc_);
    if (edit.kind == IniEdit::None) return Applied::Unchanged;
    return Changed(edit) ? Applied::Changed : Applied::NeedsWholeFile;
  }

  // Applies one WriteString per key of `sections`, in order, as Apply does; a section new to the file
  // whose names and values are printable ASCII is added whole, without a call per key. `byName`: when
  // every section is such a one, they may be kept by name only.
  Applied ApplySections(const std::vector<ProfileSectionWrite>& sections, bool byName = false);

  // For each of `sections`, whether each of its keys reads back into `size` characters as the value
  // written, answered without the document when all of them are sections kept by name (and no call
  // changed anything since the file was stored); nothing otherwise. The caller vouches that the file is
  // still the one stored.
  std::optional<std::vector<bool>> ReadBack(const std::vector<ProfileSectionWrite>& sections,
                                            std::uint32_t size) const;

  // What the file must now hold for the calls applied since it was read or stored: bytes to add at its
  // end, or its whole new content, valid until the next call on this state. Nothing when no call
  // changed it.
  struct Output {
    bool append = false;
    std::string_view bytes;
  };
  std::optional<Output> Pending();
  // The file now holds what Pending() gave.
  void Stored();

 private:
  // The last call's lines in the form it wrote them, where a reading gives them otherwise (a trailing
  // blank): what the file holds until the next call rewrites it.
  struct WrittenLines {
    std::size_t section = 0;
    std::optional<std::u16string> header;
    std::optional<std::size_t> key;
    IniKey keyLine;
  };
  struct Unchanged {};
  // Sections from the first one the file did not hold were added; the file was exact.
  struct Appended {
    WrittenLines written;
  };
  struct Rewritten {
    WrittenLines written;
  };
  // The document was read again from these bytes, which the last call wrote.
  struct RewrittenAs {
    std::string bytes;
  };
  // Sections kept by name only were formed into these bytes: added at the end of an exact file, or, for
  // a file that reads as empty, its whole new content.
  struct Listed {
    std::string bytes;
    bool replace = false;
    bool exactAfter = true;
  };
  using Change = std::variant<Unchanged, Appended, Rewritten, RewrittenAs, Listed>;

  explicit ProfileState(const TextCodec& codec) : codec_(&codec) {}
  bool Changed(const IniEdit& edit);
  bool AddedWhole(const ProfileSectionWrite& section);
  std::optional<Applied> ListedByName(const std::vector<ProfileSectionWrite>& sections);
  bool KeepsWholeFile() const { return forgotten_.empty() && listed_.empty(); }
  bool RereadLines(const IniEdit& edit, WrittenLines& written);
  bool MarkAtFront() const;
  bool RereadByDecoding(const IniEdit& edit, std::optional<std::u16string>& header, IniKey& key) const;
  void RereadWhole();
  std::u16string Text(std::size_t firstSection, const WrittenLines* written) const;
  bool IsDocument(std::string_view bytes) const;
  void ForgetStoredSections();

  const TextCodec* codec_;
  IniDocument doc_;
  TextEncoding encoding_ = TextEncoding::Plain;
  bool exact_ = false;             // the file holds exactly the document's text
  std::size_t sectionsStored_ = 0;  // sections of the document that the file held at the last read or store
  // Folded names of the sections dropped from the document; never empty once one was dropped, since the
  // lines before the first header go with them.
  std::unordered_set<std::u16string> forgotten_;
  // The sections formed straight into the file, after the document's: a key of each name (NameKey) and
  // a hash of the lines a reading of the section gives. Two names of one key only cost a read of the
  // file; a section is taken for one that was written only when both agree.
  std::unordered_map<std::uint64_t, std::uint64_t> listed_;
  Change change_;
  std::string pending_;  // what Pending() last gave, where the change does not hold it
};

}  // namespace platform
