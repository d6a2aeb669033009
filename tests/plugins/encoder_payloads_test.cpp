// The four payloads for the encoder, byte for byte, over real files (8.3 names under Wine) and, for the
// caps, a file service whose short forms the test chooses.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "encoder_payloads.h"
#include "platform/fake/fake_system.h"
#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace {

using encoder::EncoderKind;
using encoder::ExportDescription;
using encoder::ExportObject;
using platform::Utf16ToUtf8;

// The real files, except that the paths in `forms` exist and are their own short form.
class ChosenShortForms : public platform::Files {
 public:
  std::set<std::u16string> forms;
  platform::Files& real = platform::RealSystem().files;

  std::vector<platform::FileEntry> Find(std::u16string_view p) override { return real.Find(p); }
  std::optional<platform::FileEntry> FindFirst(std::u16string_view p) override { return real.FindFirst(p); }
  std::optional<platform::FileEntry> Attributes(std::u16string_view p) override { return real.Attributes(p); }
  std::optional<std::u16string> FullPath(std::u16string_view p) override { return real.FullPath(p); }
  std::optional<std::u16string> ShortPath(std::u16string_view p) override {
    if (forms.count(std::u16string(p)) != 0) return std::u16string(p);
    return std::nullopt;
  }
  bool Remove(std::u16string_view p) override { return real.Remove(p); }
  std::u16string ModulePath(void* m) override { return real.ModulePath(m); }
  std::optional<std::string> ReadBytes(std::u16string_view p, std::size_t n) override { return real.ReadBytes(p, n); }
  std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view p, std::size_t n) override {
    return real.ReadBytesDenyingWrite(p, n);
  }
  bool WriteBytes(std::u16string_view p, std::string_view b) override { return real.WriteBytes(p, b); }
  bool AppendBytes(std::u16string_view p, std::string_view b) override { return real.AppendBytes(p, b); }
};

class PayloadTest : public ::testing::Test {
 protected:
  // An object whose primary media file is `media` (none when empty).
  void Add(std::u16string media) {
    auto object = std::make_unique<ExportObject>();
    object->mediaVideo = std::move(media);
    d_.objects.push_back(std::move(object));
    d_.objectCount = static_cast<std::int32_t>(d_.objects.size());
  }
  // A real media file in the test directory.
  std::u16string Media(std::u16string_view name) {
    dir_.WriteFile(name, "media");
    return dir_.Join(name);
  }
  std::u16string ShortOf(const std::u16string& path) { return system_.files.ShortPath(path).value(); }
  std::string Batch() { return dir_.ReadFile(u"Cleaner 5/QN.TXT"); }

  vorlane::test::TempDir dir_;
  platform::System& system_ = platform::RealSystem();
  ExportDescription d_;
};

TEST_F(PayloadTest, BatchFileLiesBesideTheEncoderAndNamesItselfAfterTheExecutable) {
  dir_.MakeDir(u"Cleaner 5");
  const std::u16string exe = dir_.Join(u"Cleaner 5/cleaner 5.exe");
  const std::u16string a = Media(u"a.avi"), c = Media(u"c.avi");
  Add(a);
  Add(u"");
  Add(c);
  ASSERT_TRUE(encoder::WriteBatchFile(system_, exe, d_));
  const std::string sep = Utf16ToUtf8(std::u16string(1, platform::PathSeparator()));
  EXPECT_EQ(Batch(), "[batch]\r\nname=" + Utf16ToUtf8(exe) + sep + "QN\r\n[files]\r\nfile1=" + Utf16ToUtf8(a) +
                         "\r\nfile3=" + Utf16ToUtf8(c) + "\r\n")
      << "the object without media keeps its number";
}

TEST_F(PayloadTest, ABatchLeftOverFromALongerRunKeepsNoOldKey) {
  dir_.WriteFile(u"Cleaner 5/QN.TXT",
                 "[files]\r\nfile1=old1\r\nfile2=old2\r\nfile3=old3\r\nfile4=old4\r\nfile5=old5\r\n"
                 "[batch]\r\nname=old\r\nkeep=1\r\n[other]\r\nx=y\r\n");
  Add(u"new1");
  Add(u"new2");
  ASSERT_TRUE(encoder::WriteBatchFile(system_, dir_.Join(u"Cleaner 5/cleaner 5.exe"), d_));
  const std::string sep = Utf16ToUtf8(std::u16string(1, platform::PathSeparator()));
  EXPECT_EQ(Batch(), "[files]\r\nfile1=new1\r\nfile2=new2\r\n[batch]\r\nname=" +
                         Utf16ToUtf8(dir_.Join(u"Cleaner 5/cleaner 5.exe")) + sep + "QN\r\nkeep=1\r\n[other]\r\nx=y\r\n");

  EXPECT_FALSE(encoder::WriteBatchFile(system_, dir_.Join(u"Nowhere/cleaner 5.exe"), d_))
      << "a batch file that cannot be written is no success";
}

TEST_F(PayloadTest, MediaCleanerProGetsShortFormsSeparatedBySingleBlanks) {
  const std::u16string exe = Media(u"MediaCleanerPro.exe");
  const std::u16string a = Media(u"a.avi"), b = Media(u"b.avi");
  EXPECT_EQ(encoder::BuildLaunchCommandLine(system_.files, EncoderKind::MediaCleanerPro, exe, d_), u"")
      << "no objects: not even the executable";
  Add(a);
  Add(b);
  const std::u16string line = ShortOf(exe) + u" " + ShortOf(a) + u" " + ShortOf(b);
  EXPECT_EQ(encoder::BuildLaunchCommandLine(system_.files, EncoderKind::MediaCleanerPro, exe, d_), line);
  for (EncoderKind kind : {EncoderKind::MediaCleanerEz, EncoderKind::Cleaner5Ez, EncoderKind::Cleaner5}) {
    EXPECT_EQ(encoder::BuildLaunchCommandLine(system_.files, kind, exe, d_), u"");
  }

  Add(dir_.Join(u"deleted.avi"));
  EXPECT_EQ(encoder::BuildLaunchCommandLine(system_.files, EncoderKind::MediaCleanerPro, exe, d_), line)
      << "an object without a short form is left out, and leaves no blank behind";
}

// A short form holding a blank would reach the encoder as two arguments. With 8.3 names the form has no
// blank and the line is as it always was.
TEST_F(PayloadTest, AShortFormWithABlankIsQuoted) {
  const std::u16string exe = Media(u"Media Cleaner Pro.exe");
  const std::u16string clip = Media(u"my clip.avi");
  Add(clip);
  const std::u16string line = encoder::BuildLaunchCommandLine(system_.files, EncoderKind::MediaCleanerPro, exe, d_);
  if (platform::HasShortNames()) {
    EXPECT_EQ(line, ShortOf(exe) + u" " + ShortOf(clip));
    EXPECT_EQ(line.find(u'"'), std::u16string::npos);
  } else {
    EXPECT_EQ(line, u"\"" + exe + u"\" \"" + clip + u"\"");
  }
}

TEST_F(PayloadTest, TheCommandLineSkipsWhatNoLongerFitsAndTriesTheRest) {
  ChosenShortForms files;
  const std::u16string exe = u"E";
  files.forms = {exe, u"tail"};
  // "E " and 99 forms of 259 characters with their blanks fill 25742 characters: the next two do not fit,
  // the short one after them does.
  for (int i = 0; i < 101; ++i) {
    std::u16string form = platform::FormatInt(i) + std::u16string(259 - platform::FormatInt(i).size(), u'x');
    files.forms.insert(form);
    Add(form);
  }
  Add(u"tail");
  const std::u16string line = encoder::BuildLaunchCommandLine(files, EncoderKind::MediaCleanerPro, exe, d_);
  EXPECT_LT(line.size(), encoder::kHandOffChars);
  EXPECT_EQ(line.substr(line.size() - 6), u"x tail");
  EXPECT_NE(line.find(u" 98x"), std::u16string::npos);
  EXPECT_EQ(line.find(u" 99x"), std::u16string::npos);
}

std::vector<std::u16string> DropList(const std::vector<std::uint8_t>& block) {
  std::vector<std::u16string> entries;
  std::u16string entry;
  for (std::size_t at = encoder::kDropFileListOffset; at + 1 < block.size(); at += 2) {
    const auto c = static_cast<char16_t>(block[at] | block[at + 1] << 8);
    if (c != 0) {
      entry += c;
    } else if (entry.empty()) {
      break;
    } else {
      entries.push_back(std::move(entry));
      entry.clear();
    }
  }
  return entries;
}

TEST_F(PayloadTest, TheDropBlockHasItsHeaderAndOneShortFormPerObject) {
  const std::u16string a = Media(u"a.avi"), b = Media(u"b.avi");
  Add(a);
  Add(u"");
  Add(dir_.Join(u"deleted.avi"));
  Add(b);
  std::vector<std::uint8_t> block(encoder::kDropFileListBytes, 0xEE);
  ASSERT_TRUE(encoder::BuildDropFileList(system_.files, d_, block));
  const std::vector<std::uint8_t> header = {20, 0, 0, 0, 10, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 20), header);
  EXPECT_EQ(DropList(block), (std::vector<std::u16string>{ShortOf(a), ShortOf(b)}))
      << "objects without a short form leave no empty entry that would end the list early";
  EXPECT_TRUE(std::all_of(block.begin() + 20 + 2 * (ShortOf(a).size() + ShortOf(b).size() + 2), block.end(),
                          [](std::uint8_t byte) { return byte == 0; }))
      << "the rest of the block is zero, whatever it held";

  std::vector<std::uint8_t> small(encoder::kDropFileListBytes - 1, 0xEE);
  EXPECT_FALSE(encoder::BuildDropFileList(system_.files, d_, small));
  EXPECT_EQ(small.front(), 0xEE);
}

TEST_F(PayloadTest, TheDropListStopsBelowItsCap) {
  ChosenShortForms files;
  for (int i = 0; i < 3000; ++i) {
    std::u16string form = u"C:\\" + platform::FormatInt(10000 + i) + u".avi";  // 12 characters
    files.forms.insert(form);
    Add(form);
  }
  std::vector<std::uint8_t> block(encoder::kDropFileListBytes);
  ASSERT_TRUE(encoder::BuildDropFileList(files, d_, block));
  const std::vector<std::u16string> list = DropList(block);
  ASSERT_EQ(list.size(), 1999u) << "the 2000th would bring the count to 25987 + 12, not below 25999";
  EXPECT_EQ(list.back(), u"C:\\11998.avi");
}

TEST(AutomationFileSequence, WholeFileVideoFormatsCarryTheirOwnAudio) {
  struct Case {
    std::u16string video;
    std::vector<std::u16string> expected;
    const char* fault;
  };
  const std::u16string a1 = u"D:\\clips\\a1.wav", a2 = u"D:\\clips\\a2.wav";
  const std::vector<Case> cases = {
      {u"D:\\clips\\a.dv", {u"D:\\clips\\a.dv"}, "DV holds its audio"},
      {u"D:\\clips\\a.avi", {u"D:\\clips\\a.avi", a1, a2}, "other video is followed by its audio"},
      {u"D:\\clips\\a.Yuv", {u"D:\\clips\\a.Yuv"}, "the extension compares without regard to case"},
      {u"D:\\clips\\a.m2v", {u"D:\\clips\\a.m2v"}, ".M2V"},
      {u"D:\\clips\\a.2VUY", {u"D:\\clips\\a.2VUY"}, ".2VUY"},
      {u"D:\\clips\\a.dif", {u"D:\\clips\\a.dif"}, ".DIF"},
      {u"D:\\clips\\a.dv.avi", {u"D:\\clips\\a.dv.avi", a1, a2}, "only the last dot counts"},
      {u"", {a1, a2}, "without video the audio files follow"},
  };
  for (const Case& c : cases) {
    ExportObject object;
    object.mediaVideo = c.video;
    object.mediaAudio1 = a1;
    object.mediaAudio3 = a2;
    EXPECT_EQ(encoder::AutomationFileSequence(object), c.expected) << c.fault;
  }
}

}  // namespace
