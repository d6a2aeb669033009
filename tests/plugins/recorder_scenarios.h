#pragma once
// Moltrin's import runs as one table, so that the run over fake dialogs and the built module under the
// stand-in host are held to the same cases. Each case lays out a recorder disk in a temporary folder,
// names the files the user picks, and lists the clip sections the run must write.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "attribute_file_builder.h"
#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace vorlane::test {

struct DiskFile {
  std::u16string path;  // "/" separates
  std::string bytes;
};

struct ExpectedClip {
  std::u16string filename;
  std::u16string path;  // below the disk, "/" separates; lower-cased where names ignore case
  std::u16string name;
  std::u16string tcIn;        // empty: not checked
  std::u16string clipAuthor;  // empty: not checked
  std::u16string length;      // empty: not checked
};

struct RecorderScenario {
  const char* fault;                  // what the case would catch
  std::vector<DiskFile> disk;
  std::vector<std::u16string> picked;  // below the disk, in the order the dialog lists them
  std::vector<ExpectedClip> clips;
  // The clip list's bytes, every key of every clip; empty: not checked. "<disk>" stands for the disk
  // folder as the clips name it, "/" for the separator.
  std::string clipListBytes = {};
};

// Profile lines, each ended by CR LF as the profile functions write them.
inline std::string ProfileLines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// Every media file was last written on 7 March 2003 at noon UTC, so that its Reelname is known.
inline std::filesystem::file_time_type MediaWritten() {
  using namespace std::chrono;
  return file_clock::from_sys(sys_seconds{sys_days{year{2003} / 3 / 7} + hours{12}});
}

inline std::string Atr(const AttributeFields& fields) { return AttributeFileBytes(fields); }

inline AttributeFields Recording(const std::string& standard, int hours, const std::string& author,
                                 std::vector<ClipTableEntry> table) {
  AttributeFields f;
  f.standard = standard;
  f.hours = hours;
  f.author = author;
  f.length = "00001000";
  if (!table.empty()) f.tableCount = std::to_string(table.size());
  f.table = std::move(table);
  return f;
}

// `count` media files 000001.dvd ... in `folder`, skipping the numbers in `gaps`.
inline void AddMedia(std::vector<DiskFile>& disk, const std::u16string& folder, int count, std::vector<int> gaps = {}) {
  for (int index = 1; index <= count; ++index) {
    if (std::find(gaps.begin(), gaps.end(), index) != gaps.end()) continue;
    std::u16string name = platform::FormatInt(index);
    name.insert(0, 6 - name.size(), u'0');
    disk.push_back({folder + u"/" + name + u".dvd", ""});
  }
}

inline std::u16string Two(int value) {
  std::u16string text = platform::FormatInt(value);
  if (text.size() < 2) text.insert(text.begin(), u'0');
  return text;
}

inline std::vector<ExpectedClip> Clips(const std::u16string& path, const std::u16string& prefix, int count) {
  std::vector<ExpectedClip> clips;
  for (int index = 1; index <= count; ++index) {
    std::u16string filename(u"0000");
    filename += Two(index);
    filename += u".dvd";
    clips.push_back({filename, path, prefix + u" - " + Two(index), {}, {}, {}});
  }
  return clips;
}

inline std::vector<RecorderScenario> RecorderScenarios() {
  std::vector<RecorderScenario> cases;
  {
    RecorderScenario c{"a .dlx folder with three media files", {{u"tape0007.dlx", "x"}}, {u"tape0007.dlx"}, {}};
    AddMedia(c.disk, u"tape0007", 3);
    c.disk.push_back({u"tape0007/Attribute.atr", Atr(Recording("PAL", 10, "CAM-A", {{'1', "100"}, {'2', "250"}, {'3', "75"}}))});
    c.clips = Clips(u"tape0007", u"0007", 3);
    c.clips[0].tcIn = u"10:00:00:00", c.clips[0].length = u"100", c.clips[0].clipAuthor = u"CAM-A";
    c.clips[1].tcIn = u"10:00:04:00", c.clips[1].length = u"250";
    c.clips[2].tcIn = u"10:00:14:00", c.clips[2].length = u"75";
    cases.push_back(c);
  }
  {
    RecorderScenario c{"two .dlx files in one run, the first one's clips first",
                       {{u"a0001.dlx", "x"}, {u"b0002.dlx", "x"}}, {u"a0001.dlx", u"b0002.dlx"}, {}};
    AddMedia(c.disk, u"a0001", 3);
    AddMedia(c.disk, u"b0002", 2);
    c.clips = Clips(u"a0001", u"0001", 3);
    for (const ExpectedClip& clip : Clips(u"b0002", u"0002", 2)) c.clips.push_back(clip);
    cases.push_back(c);
  }
  {
    RecorderScenario c{"folders in ascending order, not in text order", {{u"list.dlt", "0003\r\n0001\r\n"}},
                       {u"list.dlt"}, {}};
    AddMedia(c.disk, u"0001", 1);
    AddMedia(c.disk, u"0003", 1);
    c.clips = Clips(u"0001/", u"0001", 1);
    for (const ExpectedClip& clip : Clips(u"0003/", u"0003", 1)) c.clips.push_back(clip);
    cases.push_back(c);
  }
  {
    RecorderScenario c{"a folder without 000001.dvd adds no clip and no gap", {{u"list.cdt", "0001 0002 0003"}},
                       {u"list.cdt"}, {}};
    AddMedia(c.disk, u"0001", 1);
    AddMedia(c.disk, u"0002", 2, {1});
    AddMedia(c.disk, u"0003", 1);
    c.clips = Clips(u"0001/", u"0001", 1);
    for (const ExpectedClip& clip : Clips(u"0003/", u"0003", 1)) c.clips.push_back(clip);
    // Without attribute files: the preset author, an empty start, length 0. The trailing blanks of
    // "TCIn ", "DU-1 ", "1 " and "Vorlane DU-1 " are gone: each write re-reads the one before it.
    c.clipListBytes = ProfileLines({
        "[Clip0]", "Path=<disk>/0001/", "Filename=000001.dvd", "Reelname=07.03.2003", "Rackname=", "TCIn=",
        "TCOut=", "MarkIn=", "MarkOut=", "Routing=VA1A2", "Mode=IMPORT", "ClipAuthor=DU-1", "Scene=1", "Take=1",
        "Comment=Vorlane DU-1", "Attribute=1", "Name=0001 - 01", "Length=0",
        "[Clip1]", "Path=<disk>/0003/", "Filename=000001.dvd", "Reelname=07.03.2003", "Rackname=", "TCIn=",
        "TCOut=", "MarkIn=", "MarkOut=", "Routing=VA1A2", "Mode=IMPORT", "ClipAuthor=DU-1", "Scene=1", "Take=1",
        "Comment=Vorlane DU-1", "Attribute=1", "Name=0003 - 01", "Length=0"});
    cases.push_back(c);
  }
  {
    RecorderScenario c{"at most 25 clips per folder", {{u"tape0001.dlx", "x"}}, {u"tape0001.dlx"}, {}};
    AddMedia(c.disk, u"tape0001", 30);
    c.clips = Clips(u"tape0001", u"0001", 25);
    cases.push_back(c);
  }
  {
    RecorderScenario c{"a gap after 000001.dvd ends the folder", {{u"tape0001.dlx", "x"}}, {u"tape0001.dlx"}, {}};
    AddMedia(c.disk, u"tape0001", 3, {2});
    c.clips = Clips(u"tape0001", u"0001", 1);
    // A .dlx clip presets no author; its Path has no separator at the end.
    c.clipListBytes = ProfileLines({
        "[Clip0]", "Path=<disk>/tape0001", "Filename=000001.dvd", "Reelname=07.03.2003", "Rackname=", "TCIn=",
        "TCOut=", "MarkIn=", "MarkOut=", "Routing=VA1A2", "Mode=IMPORT", "ClipAuthor=", "Scene=1", "Take=1",
        "Comment=Vorlane", "Attribute=1", "Name=0001 - 01", "Length=0"});
    cases.push_back(c);
  }
  {
    RecorderScenario c{"a folder without Attribute.atr inherits the previous clip's values",
                       {{u"list.dlt", "0001 0002"}}, {u"list.dlt"}, {}};
    AddMedia(c.disk, u"0001", 1);
    AddMedia(c.disk, u"0002", 1);
    c.disk.push_back({u"0001/Attribute.atr", Atr(Recording("NTC", 9, "CAM-B", {{'1', "40"}}))});
    c.clips = Clips(u"0001/", u"0001", 1);
    c.clips[0].tcIn = u"09:00:00.00", c.clips[0].length = u"40", c.clips[0].clipAuthor = u"CAM-B";
    for (ExpectedClip clip : Clips(u"0002/", u"0002", 1)) {
      clip.tcIn = u"09:00:00.00", clip.length = u"40", clip.clipAuthor = u"DU-1";  // the profile trims the blank
      c.clips.push_back(clip);
    }
    // The second clip keeps the first one's start and length, but its folder's preset author.
    c.clipListBytes = ProfileLines({
        "[Clip0]", "Path=<disk>/0001/", "Filename=000001.dvd", "Reelname=07.03.2003", "Rackname=",
        "TCIn=09:00:00.00", "TCOut=", "MarkIn=", "MarkOut=", "Routing=VA1A2", "Mode=IMPORT", "ClipAuthor=CAM-B",
        "Scene=1", "Take=1", "Comment=Vorlane DU-1", "Attribute=1", "Name=0001 - 01", "Length=40",
        "[Clip1]", "Path=<disk>/0002/", "Filename=000001.dvd", "Reelname=07.03.2003", "Rackname=",
        "TCIn=09:00:00.00", "TCOut=", "MarkIn=", "MarkOut=", "Routing=VA1A2", "Mode=IMPORT", "ClipAuthor=DU-1",
        "Scene=1", "Take=1", "Comment=Vorlane DU-1", "Attribute=1", "Name=0002 - 01", "Length=40"});
    cases.push_back(c);
  }
  {
    RecorderScenario c{"a .dlt file that is not last is read and ignored",
                       {{u"list.dlt", "0001"}, {u"tape0002.dlx", "x"}}, {u"list.dlt", u"tape0002.dlx"}, {}};
    AddMedia(c.disk, u"0001", 1);
    AddMedia(c.disk, u"tape0002", 1);
    c.clips = Clips(u"tape0002", u"0002", 1);
    cases.push_back(c);
    c.fault = "a .dlt file that is last adds its folders after the .dlx clips";
    c.picked = {u"tape0002.dlx", u"list.dlt"};
    for (const ExpectedClip& clip : Clips(u"0001/", u"0001", 1)) c.clips.push_back(clip);
    cases.push_back(c);
  }
  {
    RecorderScenario c{"an upper-case path is lower-cased in Path and Name where names ignore case",
                       {{u"TAPE0ABC.DLX", "x"}}, {u"TAPE0ABC.DLX"}, {}};
    AddMedia(c.disk, u"TAPE0ABC", 1);
    c.clips = Clips(u"TAPE0ABC", u"0ABC", 1);
    cases.push_back(c);
  }
  return cases;
}

inline void LayOut(const TempDir& dir, const RecorderScenario& scenario) {
  for (const DiskFile& file : scenario.disk) {
    dir.WriteFile(u"disk/" + file.path, file.bytes);
    if (file.path.ends_with(u".dvd")) std::filesystem::last_write_time(dir.Join(u"disk/" + file.path), MediaWritten());
  }
}

inline std::u16string PickedPath(const TempDir& dir, const std::u16string& picked) { return dir.Join(u"disk/" + picked); }

// Checks the clip list against the case: each expected section in order, and none after them.
inline void ExpectClipList(const TempDir& dir, const std::u16string& clipList, const RecorderScenario& scenario) {
  platform::Profile& profile = platform::RealSystem().profile;
  auto read = [&](const std::u16string& section, std::u16string_view key) {
    return platform::Utf16ToUtf8(profile.ReadString(clipList, section, key, u"<absent>", 260).value);
  };
  auto cased = [](std::u16string text) { return platform::FileNamesIgnoreCase() ? platform::ToLower(text) : text; };
  if (!scenario.clipListBytes.empty()) {
    std::string expected;
    for (char c : scenario.clipListBytes) {
      expected += c == '/' ? platform::Utf16ToUtf8(std::u16string(1, platform::PathSeparator())) : std::string(1, c);
    }
    const std::string disk = platform::Utf16ToUtf8(cased(dir.Join(u"disk")));
    for (std::size_t at; (at = expected.find("<disk>")) != std::string::npos;) expected.replace(at, 6, disk);
    std::ifstream in(std::filesystem::path(clipList), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), expected);
  }
  for (std::size_t number = 0; number <= scenario.clips.size(); ++number) {
    std::u16string section(u"Clip");
    section += platform::FormatInt(static_cast<long long>(number));
    SCOPED_TRACE(platform::Utf16ToUtf8(section));
    if (number == scenario.clips.size()) {
      EXPECT_EQ(read(section, u"Filename"), "<absent>");
      break;
    }
    const ExpectedClip& clip = scenario.clips[number];
    EXPECT_EQ(read(section, u"Filename"), platform::Utf16ToUtf8(clip.filename));
    EXPECT_EQ(read(section, u"Path"), platform::Utf16ToUtf8(cased(dir.Join(u"disk/" + clip.path))));
    EXPECT_EQ(read(section, u"Name"), platform::Utf16ToUtf8(cased(clip.name)));
    if (!clip.tcIn.empty()) {
      EXPECT_EQ(read(section, u"TCIn"), platform::Utf16ToUtf8(clip.tcIn));
    }
    if (!clip.length.empty()) {
      EXPECT_EQ(read(section, u"Length"), platform::Utf16ToUtf8(clip.length));
    }
    if (!clip.clipAuthor.empty()) {
      EXPECT_EQ(read(section, u"ClipAuthor"), platform::Utf16ToUtf8(clip.clipAuthor));
    }
    EXPECT_EQ(read(section, u"Routing"), "VA1A2");
    EXPECT_EQ(read(section, u"Mode"), "IMPORT");
  }
}

}  // namespace vorlane::test
