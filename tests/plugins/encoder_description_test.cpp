// Reading an export description file whole into the tree, over real files and profile functions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "description_reader.h"
#include "export_tree_text.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace {

using encoder::ExportDescription;
using encoder::ObjectType;
using platform::Utf8ToUtf16;

class DescriptionTest : public ::testing::Test {
 protected:
  // Writes `text` (one key or section a line) as the description file, CRLF ended.
  std::u16string Write(const std::string& text, std::u16string_view name = u"export.ini") {
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    dir_.WriteFile(name, crlf);
    return dir_.Join(name);
  }
  bool Parse(const std::u16string& path) { return encoder::ParseQuessaFile(system_, path, &d_); }

  vorlane::test::TempDir dir_;
  platform::System& system_ = platform::RealSystem();
  ExportDescription d_;
};

TEST_F(DescriptionTest, NestedSequencesGiveTheTreeWithItsBackReferences) {
  const std::string media = platform::Utf16ToUtf8(dir_.Join(u"deep.avi"));
  const std::u16string path = Write(
      "[GENERAL]\nOBJCOUNT=2\nPRJNAME=Show\nSYSTEM=PAL\nFPS=25\nSAMPLERATE=48000\nHSIZE=720\nVSIZE=576\n16_9=1\n"
      "[OBJ1]\nTYPE=SEQUENCE\nTRACKCOUNT=2\nNAME=Edit\n"
      "[OBJ1_T1]\nVIDEO=1\nAUDIO=2\nOBJCOUNT=1\nNAME=V1\n"
      "[OBJ1_T1_OBJ1]\nTYPE=SEQUENCE\nTRACKCOUNT=1\n"
      "[OBJ1_T1_OBJ1_T1]\nOBJCOUNT=1\n"
      "[OBJ1_T1_OBJ1_T1_OBJ1]\nTYPE=SOURCECLIP\nNAME=deep\nMEDIA_V=" + media + "\n"
      "[OBJ2]\nTYPE=TITLE\nNAME=Credits\n");
  ASSERT_TRUE(Parse(path));
  EXPECT_EQ(d_.projectName, u"Show");
  EXPECT_EQ(d_.videoSystem, encoder::VideoSystem::Pal);
  EXPECT_EQ(d_.frameRate, 25.0);
  EXPECT_EQ(d_.horizontalSize, 720);
  EXPECT_EQ(d_.verticalSize, 576);
  EXPECT_EQ(d_.widescreen, 1);
  ASSERT_EQ(d_.objects.size(), 2u);
  const encoder::ExportObject& edit = *d_.objects[0];
  ASSERT_EQ(edit.trackList.size(), 2u);
  EXPECT_EQ(edit.parentTrack, nullptr);
  const encoder::ExportTrack& v1 = *edit.trackList[0];
  EXPECT_EQ(v1.name, u"V1");
  EXPECT_EQ(v1.audio, 2);
  EXPECT_EQ(v1.owner, &edit);
  EXPECT_TRUE(edit.trackList[1]->objects.empty()) << "the second track has no section, so no objects";
  ASSERT_EQ(v1.objects.size(), 1u);
  const encoder::ExportObject& inner = *v1.objects[0];
  EXPECT_EQ(inner.parentTrack, &v1);
  ASSERT_EQ(inner.trackList.size(), 1u);
  ASSERT_EQ(inner.trackList[0]->objects.size(), 1u);
  const encoder::ExportObject& deep = *inner.trackList[0]->objects[0];
  EXPECT_EQ(deep.name, u"deep");
  EXPECT_EQ(deep.parentTrack, inner.trackList[0].get());
  EXPECT_EQ(encoder::PrimaryMediaPath(deep), dir_.Join(u"deep.avi"));
  EXPECT_EQ(d_.objects[1]->type, ObjectType::Title);
  EXPECT_EQ(d_.objects[1]->name, u"Credits");
}

TEST_F(DescriptionTest, OnlyAnUnfusedSequenceWithTracksReadsThem) {
  struct Case {
    const char* object;
    const char* fault;
  };
  const Case cases[] = {
      {"TYPE=SEQUENCE\nFUSED=1\nTRACKCOUNT=3", "a fused sequence's tracks are not read"},
      {"TYPE=STILL\nTRACKCOUNT=3", "only a sequence has tracks"},
      {"TYPE=sequence\nTRACKCOUNT=3", "the type word compares with regard to case"},
      {"TYPE=SEQUENCE\nTRACKCOUNT=0", "no track count, no tracks"},
      {"TYPE=SEQUENCE\nTRACKCOUNT=-2", "a negative track count reads nothing"},
  };
  for (const Case& c : cases) {
    const std::u16string path =
        Write(std::string("[GENERAL]\nOBJCOUNT=1\n[OBJ1]\n") + c.object + "\n[OBJ1_T1]\nOBJCOUNT=1\n[OBJ1_T1_OBJ1]\n");
    ASSERT_TRUE(Parse(path)) << c.fault;
    ASSERT_EQ(d_.objects.size(), 1u);
    EXPECT_TRUE(d_.objects[0]->trackList.empty()) << c.fault;
  }
}

TEST_F(DescriptionTest, MissingSectionsAndKeysTakeTheirDefaults) {
  const std::u16string path = Write(
      "[GENERAL]\nOBJCOUNT=3\nSYSTEM=NTSCDROPFRAME\n"
      "[OBJ1]\nMARKIN=01:00:00:00\nMARKOUT=01:00:10:00\nCLIPOUT=01:00:05:00\nMEDIA_A2=" +
      platform::Utf16ToUtf8(dir_.Join(u"a2.wav")) + "\nNAME=" + std::string(300, 'n') + "\nREEL=" +
      std::string(20, 'r') + "\n[OBJ3]\nTYPE=STILL\n");
  ASSERT_TRUE(Parse(path));
  EXPECT_EQ(d_.videoSystem, encoder::VideoSystem::None) << "NTSCDROPFRAME is cut to nine characters";
  ASSERT_EQ(d_.objects.size(), 3u) << "a missing section still counts as an object";
  const encoder::ExportObject& first = *d_.objects[0];
  EXPECT_EQ(first.clipIn, u"01:00:00:00") << "CLIPIN defaults to MARKIN";
  EXPECT_EQ(first.clipOut, u"01:00:05:00");
  EXPECT_EQ(first.name.size(), 254u);
  EXPECT_EQ(first.reel, u"rrrrrrrrr");
  EXPECT_EQ(encoder::PrimaryMediaPath(first), dir_.Join(u"a2.wav"));
  const encoder::ExportObject& second = *d_.objects[1];
  EXPECT_EQ(second.type, ObjectType::None);
  EXPECT_EQ(second.name, u"");
  EXPECT_EQ(encoder::PrimaryMediaPath(second), std::nullopt);
  EXPECT_EQ(d_.objects[2]->type, ObjectType::Still);
}

TEST_F(DescriptionTest, RatesFollowTheDecimalThenFractionRule) {
  struct Case {
    const char* fps;
    double rate;
    const char* fault;
  };
  const Case cases[] = {
      {"25", 25.0, "a whole decimal number"},
      {"30000/1001", 30000.0 / 1001.0, "a fraction"},
      {"29.97/1", 29.0, "a number that leaves text over is read as a fraction of integers"},
      {"25fps", 0.0, "text after the number without a slash gives the default"},
      {"30/0", 0.0, "a zero denominator gives the default"},
      {"", 0.0, "empty text gives the default"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Parse(Write(std::string("[GENERAL]\nFPS=") + c.fps + "\n")));
    EXPECT_EQ(d_.frameRate, c.rate) << c.fault;
  }
}

TEST_F(DescriptionTest, MediaPathsBecomeAbsoluteWhereTheyFit) {
  const std::string longRelative = std::string(250, 'x') + ".avi";
  ASSERT_TRUE(Parse(Write("[GENERAL]\nOBJCOUNT=1\n[OBJ1]\nMEDIA_V=clip.avi\nMEDIA_A1=\nMEDIA_A2=" + longRelative + "\n")));
  const encoder::ExportObject& o = *d_.objects[0];
  EXPECT_EQ(o.mediaVideo, (std::filesystem::current_path() / "clip.avi").u16string());
  EXPECT_EQ(o.mediaAudio1, u"");
  EXPECT_EQ(o.mediaAudio2, Utf8ToUtf16(longRelative)) << "an absolute form past 259 characters is not taken";
}

TEST_F(DescriptionTest, ParsingClearsFirstAndFailsForWhatIsNoFile) {
  ASSERT_TRUE(Parse(Write("[GENERAL]\nOBJCOUNT=2\nPRJNAME=first\n")));
  ASSERT_TRUE(Parse(Write("[GENERAL]\nOBJCOUNT=1\n", u"second.ini")));
  EXPECT_EQ(d_.objects.size(), 1u);
  EXPECT_EQ(d_.projectName, u"");

  dir_.MakeDir(u"folder.ini");
  const std::u16string tooLong = dir_.Join(std::u16string(260, u'p'));
  for (const std::u16string& path : {dir_.Join(u"missing.ini"), dir_.Join(u"folder.ini"), tooLong}) {
    ASSERT_TRUE(Parse(Write("[GENERAL]\nOBJCOUNT=1\n")));
    EXPECT_FALSE(Parse(path));
    EXPECT_TRUE(d_.objects.empty()) << "a failed parse leaves nothing of the earlier tree";
  }
  EXPECT_FALSE(Parse(u""));
  EXPECT_FALSE(encoder::ParseQuessaFile(system_, dir_.Join(u"export.ini"), nullptr));
}

// Counts and nesting from a hostile file end the parse like a failed allocation, at once.
TEST_F(DescriptionTest, CountsAndNestingBeyondTheLimitsFailTheParse) {
  EXPECT_FALSE(Parse(Write("[GENERAL]\nOBJCOUNT=2147483647\n")));
  EXPECT_FALSE(Parse(Write("[GENERAL]\nOBJCOUNT=1\n[OBJ1]\nTYPE=SEQUENCE\nTRACKCOUNT=2147483647\n")));
  EXPECT_FALSE(Parse(Write("[GENERAL]\nOBJCOUNT=60000\n[OBJ1]\nTYPE=SEQUENCE\nTRACKCOUNT=50000\n")))
      << "the budget counts the whole tree";
  ASSERT_TRUE(Parse(Write("[GENERAL]\nOBJCOUNT=-5\n")));
  EXPECT_TRUE(d_.objects.empty());

  // A chain of sequences, each the only object on the only track of the one before.
  auto chain = [&](int levels) {
    std::string text = "[GENERAL]\nOBJCOUNT=1\n";
    std::string section = "OBJ1";
    for (int level = 0; level < levels; ++level) {
      text += "[" + section + "]\nTYPE=SEQUENCE\nTRACKCOUNT=1\n[" + section + "_T1]\nOBJCOUNT=1\n";
      section += "_T1_OBJ1";
    }
    return Write(text);
  };
  EXPECT_TRUE(Parse(chain(encoder::kMaxNestingDepth)));
  EXPECT_FALSE(Parse(chain(encoder::kMaxNestingDepth + 1)));
  EXPECT_FALSE(Parse(chain(1000)));
  encoder::ClearDescription(d_);
}

// The snapshot answers every key as the platform's profile functions do, one call per key.
TEST_F(DescriptionTest, TheSnapshotReadsWhatThePerKeyReadsRead) {
  const std::u16string path = Write(
      "\xEF\xBB\xBF[general]\n OBJCOUNT = 3\nPRJNAME=\"quoted\"\nUSERNAME=caf\xC3\xA9\nFPS=30000/1001\n"
      "[OBJ1]\nTYPE=SEQUENCE\nTRACKCOUNT=1\nSCENE=0x1F\nTAKE=12abc\n[obj1_t1]\nOBJCOUNT=2\nVIDEO=-3\n"
      "[OBJ1_T1_OBJ2]\nNAME=b\nMEDIA_A4=a4.wav\n[OBJ1]\nNAME=second section is never read\n"
      "[OBJ2]\nMARKIN='x'\nCOMMENT\n[OBJ3]\nNAME=a=b\nREEL=  padded  \n");
  ASSERT_TRUE(Parse(path));
  ExportDescription perKey;
  encoder::DescriptionReader reader(system_.profile, system_.files, path);
  ASSERT_TRUE(reader.ReadDescription(perKey));
  EXPECT_EQ(vorlane::test::TreeText(d_), vorlane::test::TreeText(perKey));
  EXPECT_EQ(d_.userName, u"caf\u00E9");
}

}  // namespace
