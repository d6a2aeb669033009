#include "import_run.h"

#include <optional>

#include "attribute_file.h"
#include "contract/clip_info.h"
#include "contract/clip_list.h"
#include "contract/trace_levels.h"
#include "description_text.h"
#include "hostlib/corvana.h"
#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/text.h"
#include "receive_frame.h"

namespace recorder {
namespace {

constexpr int kMostClipsPerFolder = 25;
constexpr std::uint32_t kDialogTitleString = 2;
// The extension with its dot, which a ".dlx" file's folder name lacks.
constexpr std::size_t kExtensionChars = 4;
// A ".dlx" clip's name is the four characters before the extension.
constexpr std::size_t kTapeNumberChars = 4;

std::u16string Padded(int value, std::size_t width) {
  std::u16string text = platform::FormatInt(value);
  if (text.size() < width) text.insert(0, width - text.size(), u'0');
  return text;
}

bool EndsWith(std::u16string_view text, std::u16string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// What the clips of one recorder folder share.
struct RecorderFolder {
  std::u16string path;                   // the clips' Path
  std::u16string comment;
  std::optional<std::u16string> author;  // preset before the attribute file is read
  std::u16string namePrefix;             // the clip's Name before " - %02d"
};

// A ".dlx" file describes the folder of its own name beside it. Nothing for a path too short to hold a
// name before its extension.
std::optional<RecorderFolder> DlxFolder(const std::u16string& path) {
  if (path.size() < kExtensionChars + kTapeNumberChars) return std::nullopt;
  const std::size_t folderChars = path.size() - kExtensionChars;
  return RecorderFolder{path.substr(0, folderChars), u"Vorlane ", std::nullopt,
                        path.substr(folderChars - kTapeNumberChars, kTapeNumberChars)};
}

// The directory of a ".dlt" or ".cdt" file: without its last separator, unless that leaves a drive or
// the root without one. Nothing for a path with no directory.
std::optional<std::u16string> ListDirectory(const std::u16string& path) {
  std::size_t at = path.size();
  while (at > 0 && !platform::IsPathSeparator(path[at - 1])) --at;
  if (at == 0) return std::nullopt;
  const std::size_t separator = at - 1;
  constexpr std::size_t kRootChars = 3;  // "c:\"
  return path.substr(0, separator < kRootChars ? separator + 1 : separator);
}

RecorderFolder ListedFolder(const std::u16string& directory, int number) {
  const std::u16string folder = Padded(number, 4);
  return RecorderFolder{directory + platform::PathSeparator() + folder + platform::PathSeparator(),
                        u"Vorlane DU-1 ", u"DU-1 ", folder};
}

// One run's clip record and counter. The record is cleared per description file and not between clips:
// a field a clip does not set keeps the previous clip's value.
class ClipRun {
 public:
  ClipRun(platform::System& system, std::u16string_view clipListPath)
      : system_(system), clipList_(clipListPath), clips_(system.profile, clipListPath) {}

  void ClearRecord() { clip_ = contract::ClipInfo{}; }

  // Clips 1 to 25 of the folder, ending at the first media file that is missing, handed to the clip list
  // writer. False when the clips could not be written (see Finish).
  bool ImportFolder(const RecorderFolder& folder) {
    for (int index = 1; index <= kMostClipsPerFolder; ++index) {
      clip_.number = counter_;
      clip_.filename = Padded(index, 6) + u".dvd";
      clip_.path = folder.path;
      clip_.routing = u"VA1A2";
      clip_.mode = u"IMPORT";
      clip_.comment = folder.comment;
      if (folder.author) clip_.clipAuthor = *folder.author;
      clip_.scene = u"1 ";
      clip_.take = u"1 ";
      clip_.attribute = u"1 ";
      clip_.name = folder.namePrefix + u" - " + Padded(index, 2);
      std::u16string media = clip_.path;
      if (!platform::EndsWithSeparator(media)) media += platform::PathSeparator();
      media += clip_.filename;
      if (!FileIsReadable(system_.files, media)) return true;
      // One that cannot be examined now would be listed with a reel date of 1601: it is left, as one
      // still being written is, to a later import.
      const std::optional<platform::FileEntry> entry = system_.files.Attributes(media);
      if (!entry) return true;
      clip_.reelname = FileDate(entry->lastWriteTime);
      ReadAttributeFile(system_.files, clip_.path, clip_, index - 1);
      last_ = media;
      if (!clips_.Add(contract::ClipInfoSection(clip_, contract::ClipInfoWriter::Moltrin))) return Failed();
      ++counter_;
      HostTrace(contract::kTraceCategory, contract::kTraceImport, u"SaveClipInfo for  %s \n", media.c_str());
    }
    return true;
  }

  // Writes the clips handed over and not yet written. False when they could not be written: the clip
  // list is then emptied again, since a list that lacks clips must not be imported as if whole.
  bool Finish() { return clips_.Flush() || Failed(); }

 private:
  bool Failed() {
    HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"cannot write the clip of %s \n", last_.c_str());
    receive_frame::RemoveClipList(system_.files, clipList_);
    return false;
  }

  platform::System& system_;
  std::u16string clipList_;
  contract::ClipListWriter clips_;
  contract::ClipInfo clip_;
  std::u16string last_;  // the media file of the last clip handed over
  std::int32_t counter_ = 0;
};

}  // namespace

std::int32_t ImportSelection(platform::System& system, std::u16string_view clipListPath, const Selection& selection) {
  const std::size_t count = selection.list.empty() ? 1 : selection.list.size();
  std::u16string path = selection.single;
  std::string text;
  ClipRun run(system, clipListPath);
  for (std::size_t file = 0; file < count; ++file) {
    if (!selection.list.empty()) path = selection.list[file];
    std::optional<std::string> bytes = ReadMetadataFile(system.files, path);
    if (!bytes) {
      HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"failed to open %s \n", path.c_str());
      run.Finish();
      return 0;
    }
    HostTrace(contract::kTraceCategory, contract::kTraceImport, u"Reading %d Bytes from  %s \n",
              static_cast<int>(bytes->size()), path.c_str());
    text = std::move(*bytes);
    run.ClearRecord();
    // Where names ignore case the path is lower-cased as the host expects it; elsewhere that would
    // name another file.
    if (platform::FileNamesIgnoreCase()) path = platform::ToLower(path);
    if (EndsWith(platform::ToLower(path), u"dlx")) {
      HostTrace(contract::kTraceCategory, contract::kTraceImport, u"using file %s \n", path.c_str());
      if (const std::optional<RecorderFolder> folder = DlxFolder(path); folder && !run.ImportFolder(*folder)) return 0;
    }
  }
  // Only the last file's folder list counts.
  if (EndsWith(platform::ToLower(path), u"cdt") || EndsWith(platform::ToLower(path), u"dlt")) {
    if (const std::optional<std::u16string> directory = ListDirectory(path)) {
      for (int number : FolderNumbersIn(text)) {
        if (!run.ImportFolder(ListedFolder(*directory, number))) return 0;
      }
    }
  }
  return run.Finish() ? 1 : 0;
}

std::int32_t RunImport(platform::System& system, const contract::ModuleFiles& files, std::u16string& startupPath) {
  if (files.clipList.empty()) return 0;
  // The host would merge an earlier run's sections into this one's.
  if (!receive_frame::RemoveClipList(system.files, files.clipList)) return 0;
  const char16_t* title = LoadHostString(platform::ThisModule(), kDialogTitleString);
  const platform::WindowHandle owner = FindHostMainWindow(system.windows);
  const std::optional<Selection> selection = FileOpenDlg(system, files, owner, title != nullptr ? title : u"", startupPath);
  if (!selection) return 0;
  return ImportSelection(system, files.clipList, *selection);
}

}  // namespace recorder
