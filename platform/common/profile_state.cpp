// A profile file between calls, shared by both builds.
#include "profile_state.h"

#include <utility>

#include "platform/ini_lines.h"

namespace platform {

ProfileState ProfileState::Read(std::string_view bytes, const TextCodec& codec) {
  ProfileState state(codec);
  DecodedText decoded = DecodeText(bytes, codec);
  state.doc_ = IniDocument::Parse(decoded.text);
  state.encoding_ = decoded.encoding;
  state.strayNameless_ = state.doc_.HasStrayNamelessSection();
  if (state.FileIsDocument(bytes)) state.sectionsOnDisk_ = state.doc_.Sections().size();
  return state;
}

ProfileState ProfileState::Missing(const TextCodec& codec) { return ProfileState(codec); }

bool ProfileState::FileIsDocument(std::string_view bytes) const {
  return EncodeText(doc_.Serialize(), encoding_, true, *codec_) == bytes;
}

void ProfileState::Changed(const IniEdit& edit) {
  // The file will hold what this call writes; what earlier calls wrote is gone.
  writtenLines_.clear();
  writtenBytes_.reset();
  if (edit.kind != IniEdit::Line || (sectionsOnDisk_ && edit.section < *sectionsOnDisk_)) sectionsOnDisk_.reset();
  if (edit.kind != IniEdit::Line || !RereadLines(edit)) RereadWhole();
}

// The next call reads the file again. Where the written lines come back as one line each, of the same
// kind, and nothing else can move, only those lines need reading again.
bool ProfileState::RereadLines(const IniEdit& edit) {
  if (strayNameless_) return false;
  // A mark brought to the front changes how the whole file reads.
  if (encoding_ == TextEncoding::Plain && StartsWithMark(codec_->encodePlain(doc_.FirstLine()))) return false;
  const auto reread = [this](const std::u16string& line) {
    return DecodeText(EncodeText(line, encoding_, true, *codec_), *codec_).text;
  };
  std::optional<std::u16string> header;
  if (edit.newSection) {
    header = reread(doc_.HeaderLine(edit.section));
    const std::vector<IniLine> lines = SplitIniLines(*header);
    if (lines.size() != 1 || !lines[0].header || lines[0].name.empty()) return false;
    header = std::u16string(lines[0].name);
  }
  const std::u16string keyText = reread(doc_.KeyLine(edit.section, edit.key));
  const std::vector<IniLine> lines = SplitIniLines(keyText);
  if (lines.size() != 1 || lines[0].header) return false;
  const auto& keys = doc_.Sections()[edit.section].keys;
  if (lines[0].name.empty()) {
    // A run of nameless keys reads as its first only.
    if ((edit.key > 0 && keys[edit.key - 1].name.empty()) ||
        (edit.key + 1 < keys.size() && keys[edit.key + 1].name.empty()))
      return false;
  }
  IniKey key{std::u16string(lines[0].name), std::nullopt};
  if (lines[0].value) key.value = std::u16string(*lines[0].value);
  if (header && *header != doc_.Sections()[edit.section].name) {
    writtenLines_.push_back({edit.section, std::nullopt, IniKey{doc_.Sections()[edit.section].name, std::nullopt}});
    doc_.RenameSection(edit.section, std::move(*header));
  }
  if (key.name != keys[edit.key].name || key.value != keys[edit.key].value) {
    writtenLines_.push_back({edit.section, edit.key, keys[edit.key]});
    doc_.SetKey(edit.section, edit.key, std::move(key));
  }
  return true;
}

void ProfileState::RereadWhole() {
  std::string bytes = EncodeText(doc_.Serialize(), encoding_, true, *codec_);
  // A mark at the front now names the encoding of every later call.
  DecodedText decoded = DecodeText(bytes, *codec_);
  doc_ = IniDocument::Parse(decoded.text);
  encoding_ = decoded.encoding;
  strayNameless_ = doc_.HasStrayNamelessSection();
  writtenLines_.clear();
  writtenBytes_ = std::move(bytes);
  sectionsOnDisk_.reset();
}

std::u16string ProfileState::WrittenText(std::size_t firstSection) {
  const auto swapLines = [this] {
    for (WrittenLine& line : writtenLines_) {
      IniKey current = line.key ? doc_.Sections()[line.section].keys[*line.key]
                                : IniKey{doc_.Sections()[line.section].name, std::nullopt};
      if (line.key) {
        doc_.SetKey(line.section, *line.key, std::move(line.written));
      } else {
        doc_.RenameSection(line.section, std::move(line.written.name));
      }
      line.written = std::move(current);
    }
  };
  swapLines();
  std::u16string text = doc_.SerializeFrom(firstSection);
  swapLines();
  return text;
}

std::string ProfileState::Bytes() {
  if (writtenBytes_) return *writtenBytes_;
  return EncodeText(WrittenText(0), encoding_, true, *codec_);
}

std::optional<std::string> ProfileState::AddedBytes() {
  if (!sectionsOnDisk_ || writtenBytes_) return std::nullopt;
  return EncodeText(WrittenText(*sectionsOnDisk_), encoding_, false, *codec_);
}

void ProfileState::Stored() {
  sectionsOnDisk_.reset();
  if (writtenBytes_) {
    if (FileIsDocument(*writtenBytes_)) sectionsOnDisk_ = doc_.Sections().size();
  } else if (writtenLines_.empty()) {
    sectionsOnDisk_ = doc_.Sections().size();
  }
  writtenLines_.clear();
  writtenBytes_.reset();
}

}  // namespace platform
