// Profile files: hand-written sequences with the Windows functions' results (confirmed under Wine 8),
// run against the platform's own functions where there are some and against the profile store;
// batches against the same writes one call at a time.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "profile_store.h"
#include "platform/path.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace platform {
Profile& RealProfile();
Profile* PlatformProfileFunctions();
}

namespace vorlane::test {
namespace {


struct ProfileOp {
  enum Kind { ReadString, ReadInt, Write, DeleteKey, WriteSection, DeleteSection } kind;
  std::u16string section;
  std::u16string key;
  std::u16string value;  // value written, or the default of a string read
  std::uint32_t size = 260;
  std::vector<std::u16string> entries = {};
  // Expected: the string read's text (its count is its length), the integer, or a write's result.
  std::u16string text = {};
  std::int32_t number = 0;  // the default of an integer read
  std::int32_t expectedNumber = 0;
  bool ok = true;
};

ProfileOp Make(ProfileOp::Kind kind, std::u16string s, std::u16string k = {}, std::u16string v = {}) {
  ProfileOp op{};
  op.kind = kind;
  op.section = std::move(s);
  op.key = std::move(k);
  op.value = std::move(v);
  return op;
}
ProfileOp Str(std::u16string s, std::u16string k, std::u16string def, std::u16string expected,
                     std::uint32_t size = 260) {
  ProfileOp op = Make(ProfileOp::ReadString, std::move(s), std::move(k), std::move(def));
  op.size = size;
  op.text = std::move(expected);
  return op;
}
ProfileOp Int(std::u16string s, std::u16string k, std::int32_t def, std::int32_t expected) {
  ProfileOp op = Make(ProfileOp::ReadInt, std::move(s), std::move(k));
  op.number = def;
  op.expectedNumber = expected;
  return op;
}
ProfileOp Put(std::u16string s, std::u16string k, std::u16string v, bool ok = true) {
  ProfileOp op = Make(ProfileOp::Write, std::move(s), std::move(k), std::move(v));
  op.ok = ok;
  return op;
}
ProfileOp Del(std::u16string s, std::u16string k, bool ok = true) {
  ProfileOp op = Make(ProfileOp::DeleteKey, std::move(s), std::move(k));
  op.ok = ok;
  return op;
}
ProfileOp Sec(std::u16string s, std::vector<std::u16string> entries, bool ok = true) {
  ProfileOp op = Make(ProfileOp::WriteSection, std::move(s));
  op.entries = std::move(entries);
  op.ok = ok;
  return op;
}
ProfileOp DelSec(std::u16string s, bool ok = true) {
  ProfileOp op = Make(ProfileOp::DeleteSection, std::move(s));
  op.ok = ok;
  return op;
}

std::string Utf16Le(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

enum class ProfilePlace { File, MissingDirectory };

struct ProfileCase {
  const char* name;  // and the fault it would catch
  std::optional<std::string> initial;  // absent: no file
  std::vector<ProfileOp> ops;
  std::optional<std::string> final;  // absent: no file afterwards
  ProfilePlace place = ProfilePlace::File;
};

std::vector<ProfileCase> ProfileCases() {
  return {
      {"duplicates: first section and first key win; writes go to the first section",
       "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n",
       {Str(u"A", u"k", u"d", u"1"), Str(u"a", u"j", u"d", u"d"), Put(u"A", u"j", u"5")},
       "[A]\r\nk=1\r\nk=2\r\nj=5\r\n[a]\r\nk=3\r\nj=4\r\n"},
      {"comments are keys, blank lines and blanks around '=' go on rewrite",
       "; top\r\n\r\n[S]\r\n;c=1\r\n  x = 1 \r\n\r\nnovalue\r\n",
       {Str(u"S", u";c", u"", u"1"), Str(u"S", u"x", u"", u"1"), Str(u"S", u"novalue", u"def", u"def"),
        Put(u"S", u"x", u"2")},
       "; top\r\n[S]\r\n;c=1\r\nx=2\r\nnovalue\r\n"},
      {"headers: trimmed name, last ']', text after it lost, '[' without ']' is a key",
       "[ A ]\r\na=1\r\n[C] junk\r\nc=1\r\n[a]b]\r\nab=1\r\n[open\r\nz=1\r\n",
       {Str(u"A", u"a", u"", u"1"), Str(u"C", u"c", u"", u"1"), Str(u"a]b", u"ab", u"", u"1"),
        Str(u"a]b", u"[open", u"d", u"d"), Str(u"a]b", u"z", u"", u"1"), Put(u"C", u"c", u"2")},
       "[A]\r\na=1\r\n[C]\r\nc=2\r\n[a]b]\r\nab=1\r\n[open\r\nz=1\r\n"},
      {"quotes and buffer cuts of values and defaults",
       "[Q]\r\nd=\"abc\"\r\ns='x'\r\ne=\"\"\r\nm=\"a\"b\"\r\none=\"\r\nv=abcdefghij\r\nmix='a\"\r\n",
       {Str(u"Q", u"d", u"", u"abc"), Str(u"Q", u"d", u"", u"ab", 4), Str(u"Q", u"d", u"", u"ab", 3),
        Str(u"Q", u"d", u"", u"abc", 5), Str(u"Q", u"s", u"", u"x"), Str(u"Q", u"e", u"z", u""),
        Str(u"Q", u"m", u"", u"a\"b"), Str(u"Q", u"one", u"", u"\""), Str(u"Q", u"mix", u"", u"'a\""),
        Str(u"Q", u"v", u"", u"abcd", 5), Str(u"Q", u"v", u"", u"", 1), Str(u"Q", u"none", u"\"dq\"", u"dq"),
        Str(u"Q", u"none", u"def  ", u"def"), Str(u"Q", u"none", u"def\t", u"def\t"),
        Str(u"Q", u"none", u"0123456789", u"012", 4), Str(u" Q ", u" d ", u"", u"abc")},
       "[Q]\r\nd=\"abc\"\r\ns='x'\r\ne=\"\"\r\nm=\"a\"b\"\r\none=\"\r\nv=abcdefghij\r\nmix='a\"\r\n"},
      {"a new key's trailing blank is written, then trimmed by the next write's re-read",
       std::nullopt,
       {Put(u"Clip0", u"TCIn ", u"01:00:00:00"), Put(u"Clip0", u"TCOut", u""),
        Str(u"Clip0", u"TCIn", u"", u"01:00:00:00"), Put(u"Clip0", u"TCIn ", u"02")},
       "[Clip0]\r\nTCIn=02\r\nTCOut=\r\n"},
      {"the last write's trailing blanks stay: nothing re-reads after it",
       std::nullopt,
       {Put(u"Clip0", u"Path", u"  lead and trail  "), Put(u"Clip0 ", u"TCIn ", u"v")},
       "[Clip0]\r\nPath=lead and trail\r\nTCIn =v\r\n"},
      {"integer parse: prefixes, signs, junk, empty, wrap, the 29-character read",
       "[N]\r\nh1=0x1F\r\nh2=0X1F\r\noct=017\r\nmix=12abc\r\nsp=- 5\r\nempty=\r\nbig=4294967297\r\n"
       "neg=-7\r\nnovalue\r\nq=\"42\"\r\noo=0o17\r\nbb=0b101\r\nlong=000000000000000000000000000000123\r\n"
       "dot=1.9\r\nword=abc\r\n",
       {Int(u"N", u"h1", 9, 31), Int(u"N", u"h2", 9, 0), Int(u"N", u"oct", 9, 17), Int(u"N", u"mix", 9, 12),
        Int(u"N", u"sp", 9, 0), Int(u"N", u"empty", 9, 9), Int(u"N", u"big", 9, 1), Int(u"N", u"neg", 9, -7),
        Int(u"N", u"novalue", 9, 9), Int(u"N", u"missing", 9, 9), Int(u"X", u"h1", 9, 9), Int(u"N", u"q", 9, 42),
        Int(u"N", u"oo", 9, 15), Int(u"N", u"bb", 9, 5), Int(u"N", u"long", 9, 0), Int(u"N", u"dot", 9, 1),
        Int(u"N", u"word", 9, 0)},
       "[N]\r\nh1=0x1F\r\nh2=0X1F\r\noct=017\r\nmix=12abc\r\nsp=- 5\r\nempty=\r\nbig=4294967297\r\n"
       "neg=-7\r\nnovalue\r\nq=\"42\"\r\noo=0o17\r\nbb=0b101\r\nlong=000000000000000000000000000000123\r\n"
       "dot=1.9\r\nword=abc\r\n"},
      {"section write: keys of every such section go, entries go to the first, bare header stays",
       "[W]\r\na=1\r\n[X]\r\nx=1\r\n[w]\r\nb=2\r\n",
       {Sec(u"W", {u"c=3", u"noeq", u"d = 4"}), Sec(u"Nowhere", {}), Sec(u"X", {}), Str(u"W", u"d", u"", u"4")},
       "[W]\r\nc=3\r\nd=4\r\n[X]\r\n[w]\r\n"},
      {"section delete takes the first section of that name",
       "[W]\r\na=1\r\n[X]\r\nx=1\r\n[w]\r\nb=2\r\n",
       {DelSec(u"w"), DelSec(u"Nowhere"), Str(u"w", u"b", u"", u"2")},
       "[X]\r\nx=1\r\n[w]\r\nb=2\r\n"},
      {"key delete searches every section of that name; absent keys are no error",
       "[A]\r\nk=1\r\n[B]\r\nj=2\r\n[b]\r\nk=2\r\n",
       {Del(u"B", u"k"), Del(u"A", u"nope"), Del(u"Nowhere", u"k")},
       "[A]\r\nk=1\r\n[B]\r\nj=2\r\n[b]\r\n"},
      {"deletions compare the names as given, untrimmed",
       "[A]\r\nk=1\r\n",
       {Del(u" A ", u"k"), Del(u"A", u" k "), DelSec(u" A "), Sec(u"A ", {}), Str(u" A ", u" k ", u"", u"1")},
       "[A]\r\nk=1\r\n"},
      {"lines before the first header, and '[]', form nameless sections written without header",
       "top=1\r\n[]\r\nafter=2\r\n[S]\r\ns=1\r\n",
       {Str(u"", u"top", u"d", u"1"), Str(u"", u"after", u"d", u"d"), Put(u"S", u"s", u"2")},
       "top=1\r\nafter=2\r\n[S]\r\ns=2\r\n"},
      {"a UTF-16LE file is read as such and keeps its encoding",
       Utf16Le(u"[U]\r\nname=Zo\u00EB \u0416\r\n"),
       {Str(u"U", u"name", u"", u"Zo\u00EB \u0416"), Put(u"U", u"new", u"\u20AC")},
       Utf16Le(u"[U]\r\nname=Zo\u00EB \u0416\r\nnew=\u20AC\r\n")},
      {"missing file: defaults (quotes handled), deletes succeed without creating it",
       std::nullopt,
       {Str(u"S", u"k", u"\"q\"", u"q"), Int(u"S", u"k", 5, 5), Del(u"S", u"k"), DelSec(u"S"), Sec(u"S", {})},
       std::nullopt},
      {"missing directory: the default as given, writes fail",
       std::nullopt,
       {Str(u"S", u"k", u"\"q\"", u"\"q\""), Int(u"S", u"k", 5, 5), Put(u"S", u"k", u"v", false)},
       std::nullopt,
       ProfilePlace::MissingDirectory},
      {"names match without regard to case; an existing key keeps its spelling; new sections go last",
       "[Clip0]\r\nPath=a\r\n[Other]\r\no=1\r\n",
       {Str(u"CLIP0", u"PATH", u"", u"a"), Put(u"CLIP0", u"path", u"b"), Put(u"clip1", u"X", u"y"),
        Put(u"Clip0", u"Path", u"b")},
       "[Clip0]\r\nPath=b\r\n[Other]\r\no=1\r\n[clip1]\r\nX=y\r\n"},
      {"junk lines are keys; of a run of nameless keys only the first is kept",
       "\x01\x02garbage]]][[\r\n=\r\n==\r\n[\r\n]\r\n[S]\r\n",
       {Str(u"", u"", u"d", u""), Put(u"S", u"k", u"v")},
       "\x01\x02garbage]]][[\r\n=\r\n[\r\n]\r\n[S]\r\nk=v\r\n"},
      {"an unchanged value leaves a non-canonical file as it is",
       "[S]\n\n  k = v\n",
       {Put(u"S", u"k", u"v"), Put(u" S ", u" K ", u"  v")},
       "[S]\n\n  k = v\n"},
  };
}

std::u16string At(const TempDir& dir, ProfilePlace place) {
  return dir.Join(place == ProfilePlace::MissingDirectory ? u"no such folder/test.ini" : u"test.ini");
}

void RunOps(platform::Profile& profile, const std::u16string& file, const ProfileCase& c) {
  for (std::size_t i = 0; i < c.ops.size(); ++i) {
    const ProfileOp& op = c.ops[i];
    SCOPED_TRACE(testing::Message() << c.name << ", step " << i);
    switch (op.kind) {
      case ProfileOp::ReadString: {
        const platform::ProfileString got = profile.ReadString(file, op.section, op.key, op.value, op.size);
        EXPECT_EQ(got.value, op.text);
        EXPECT_EQ(got.count, op.text.size());
        break;
      }
      case ProfileOp::ReadInt:
        EXPECT_EQ(profile.ReadInt(file, op.section, op.key, op.number), op.expectedNumber);
        break;
      case ProfileOp::Write:
        EXPECT_EQ(profile.WriteString(file, op.section, op.key, std::u16string_view(op.value)), op.ok);
        break;
      case ProfileOp::DeleteKey:
        EXPECT_EQ(profile.WriteString(file, op.section, op.key, std::nullopt), op.ok);
        break;
      case ProfileOp::WriteSection:
        EXPECT_EQ(profile.WriteSection(file, op.section, op.entries), op.ok);
        break;
      case ProfileOp::DeleteSection:
        EXPECT_EQ(profile.WriteSection(file, op.section, std::nullopt), op.ok);
        break;
    }
  }
}

void RunCases(platform::Profile& profile) {
  for (const ProfileCase& c : ProfileCases()) {
    TempDir dir;
    const std::u16string file = At(dir, c.place);
    if (c.initial) dir.WriteFile(u"test.ini", *c.initial);
    RunOps(profile, file, c);
    const bool exists = std::filesystem::exists(std::filesystem::path(file));
    EXPECT_EQ(exists, c.final.has_value()) << c.name;
    if (exists && c.final) {
      EXPECT_EQ(dir.ReadFile(u"test.ini"), *c.final) << c.name;
    }
  }
}

std::unique_ptr<platform::Profile> Model() {
  return std::make_unique<platform::ProfileStore>(platform::NativeProfileFiles(), platform::NativeTextCodec());
}

// What single writes are held to: the platform's own functions, or the store where there are none.
platform::Profile& Reference() {
  platform::Profile* functions = platform::PlatformProfileFunctions();
  return functions ? *functions : platform::RealProfile();
}

TEST(Profile, PlatformFunctionsGiveTheRecordedResults) {
  if (!platform::PlatformProfileFunctions()) GTEST_SKIP() << "no profile functions of the platform here";
  RunCases(*platform::PlatformProfileFunctions());
}

TEST(Profile, StoreGivesTheRecordedResults) {
  RunCases(platform::RealProfile());
  RunCases(*Model());
}

// Batches: the same writes one call at a time and as one batch give the same file.
struct BatchCase {
  const char* name;
  std::optional<std::string> initial;
  std::vector<platform::ProfileWrite> writes;
};

std::vector<platform::ProfileWrite> ClipWrites(int first, int count) {
  std::vector<platform::ProfileWrite> writes;
  for (int n = first; n < first + count; ++n) {
    const std::u16string section = u"Clip" + platform::FormatInt(n);
    for (const char16_t* key : {u"Path", u"Filename", u"Reelname", u"TCIn ", u"TCOut", u"Routing", u"Mode",
                                u"Comment", u"Name", u"Length"}) {
      std::u16string value = key[0] == u'C' ? u"Vorlane " : (key[0] == u'L' ? u"0" : u"");
      if (key[0] == u'P') value = u"C:\\media\\folder " + platform::FormatInt(n);
      writes.push_back({section, key, value});
    }
  }
  return writes;
}

std::vector<BatchCase> BatchCases() {
  std::vector<BatchCase> cases = {
      {"new file of clips", std::nullopt, ClipWrites(0, 3)},
      {"clips appended to a file already in written form", "[Clip0]\r\nPath=x\r\n[Other]\r\nk=v\r\n",
       ClipWrites(1, 2)},
      {"clips appended to a UTF-16 file", Utf16Le(u"[Zo\u00EB]\r\nk=v\r\n"), ClipWrites(0, 2)},
      {"clips over an untidy file with blank lines and LF ends", "\n[CLIP0]\n k = old \n\n[CLIP5]\nPath=keep\n",
       ClipWrites(0, 2)},
      {"merge into existing sections with duplicates and deletes", "[CLIP1]\r\nPATH=a\r\nNAME=n\r\n[clip1]\r\nX=1\r\n",
       {{u"CLIP1", u"PATH", u"b"},
        {u"CLIP1", u"NAME", std::nullopt},
        {u"clip1", u"X", std::nullopt},
        {u"CLIP2", u"NEW ", u"  v  "},
        {u"CLIP2", u"NEW", u"v"},
        {u"CLIP2", u"Last ", u"w "}}},
      {"nothing changes: the file stays as it is", "[S]\n\n k = v \n", {{u"S", u"k", u"v"}, {u"S", u"gone", std::nullopt}}},
      {"a last unchanged write after a trailing blank", std::nullopt,
       {{u"S", u"a ", u"1 "}, {u"S", u"a", u"1"}, {u"S", u"b ", u"2 "}, {u"S", u"b", u"2 "}}},
      {"odd names: '=' in a key, a header-like key, a stray nameless section", "k=1\r\n[]\r\nx=2\r\n[S]\r\n",
       {{u"S", u"a=b", u"v"}, {u"S", u"[T]", u"w"}, {u"T", u"z", u"1"}, {u"", u"x", u"3"}, {u"S", u"a", u"c"}}},
      {"a rewrite brings byte-order-mark bytes to the front of the file", std::string("\r\n\xFF\xFE[A]\r\n"),
       {{u"S", u"k", u"1"}, {u"S", u"j", u"2"}, {u"T", u"k", u"3"}}},
      {"trailing blanks in a new section name", std::nullopt,
       {{u"New ", u"k", u"1"}, {u"New", u"j", u"2"}, {u"  Lead", u"k", u"3"}}},
      {"a section name that does not survive the encoding: the second write finds the first no more",
       std::nullopt, {{u"S\xD800", u"k", u"1"}, {u"S\xD800", u"j", u"2"}, {u"T", u"\xD800", u"3"}, {u"T", u"\xD800", u"4"}}},
      {"code units that stand for single bytes come back as other text", std::nullopt,
       {{u"\xDCC3\xDCA9", u"k", u"1"}, {u"\xDCC3\xDCA9", u"j", u"2"}, {u"S", u"\xDCC3\xDCA9", u"3"},
        {u"S", u"\xDCC3\xDCA9", u"4"}}},
      {"an existing '[]' header and keys written around it", "[]\r\nk=1\r\n[S]\r\n[]\r\nn=2\r\n",
       {{u"", u"x", u"1"}, {u"S", u"y", u"2"}, {u"", u"z", u"3"}, {u"S", u"w", u"4"}}},
  };
  return cases;
}

TEST(Profile, BatchEqualsOneCallPerWrite) {
  std::unique_ptr<platform::Profile> model = Model();
  for (const BatchCase& c : BatchCases()) {
    TempDir dir;
    if (c.initial) {
      dir.WriteFile(u"single.ini", *c.initial);
      dir.WriteFile(u"batch.ini", *c.initial);
    }
    for (const platform::ProfileWrite& w : c.writes) {
      std::optional<std::u16string_view> value;
      if (w.value) value = *w.value;
      ASSERT_TRUE(Reference().WriteString(dir.Join(u"single.ini"), w.section, w.key, value)) << c.name;
    }
    ASSERT_TRUE(platform::RealProfile().WriteBatch(dir.Join(u"batch.ini"), c.writes)) << c.name;
    EXPECT_EQ(dir.Exists(u"batch.ini"), dir.Exists(u"single.ini")) << c.name;
    EXPECT_EQ(dir.ReadFile(u"batch.ini"), dir.ReadFile(u"single.ini")) << c.name;
    // The model's own per-call writes agree with the platform's too.
    if (c.initial) dir.WriteFile(u"model.ini", *c.initial);
    for (const platform::ProfileWrite& w : c.writes) {
      std::optional<std::u16string_view> value;
      if (w.value) value = *w.value;
      model->WriteString(dir.Join(u"model.ini"), w.section, w.key, value);
    }
    EXPECT_EQ(dir.ReadFile(u"model.ini"), dir.ReadFile(u"single.ini")) << c.name;
  }
}

TEST(Profile, BatchOneClipAtATimeGrowsTheFileAsSingleWritesDo) {
  TempDir dir;
  for (int clip = 0; clip < 20; ++clip) {
    for (const platform::ProfileWrite& w : ClipWrites(clip, 1))
      ASSERT_TRUE(Reference().WriteString(dir.Join(u"single.ini"), w.section, w.key, *w.value));
    ASSERT_TRUE(platform::RealProfile().WriteBatch(dir.Join(u"batch.ini"), ClipWrites(clip, 1)));
  }
  EXPECT_EQ(dir.ReadFile(u"batch.ini"), dir.ReadFile(u"single.ini"));
}

// Batch after batch on one file: the next re-read trims what the last write left, so a batch that
// only adds a section must still rewrite a file whose last value ended in blanks.
TEST(Profile, ConsecutiveBatchesEqualOneCallPerWrite) {
  const std::vector<std::vector<platform::ProfileWrite>> batches = {
      {{u"S", u"k", u"trail  "}},
      {{u"T", u"j", u"v"}},
      {{u"T", u"j ", u"w "}, {u"T", u"x", u"1"}},
      {{u"U", u"a ", u"1"}},
      {{u"V", u"b", u"2"}},
      {{u"V", u"b", u"2"}},
  };
  TempDir dir;
  for (const auto& batch : batches) {
    for (const platform::ProfileWrite& w : batch)
      ASSERT_TRUE(Reference().WriteString(dir.Join(u"single.ini"), w.section, w.key, *w.value));
    ASSERT_TRUE(platform::RealProfile().WriteBatch(dir.Join(u"batch.ini"), batch));
    EXPECT_EQ(dir.ReadFile(u"batch.ini"), dir.ReadFile(u"single.ini"));
  }
}

// The writer remembers the file it wrote last; a change by anyone else in between must not be lost.
TEST(Profile, BatchSeesTheFileChangedBetweenBatches) {
  TempDir dir;
  ASSERT_TRUE(platform::RealProfile().WriteBatch(dir.Join(u"batch.ini"), ClipWrites(0, 1)));
  const std::string changed = "[Other]\r\nk=v\r\n";
  dir.WriteFile(u"batch.ini", changed);
  dir.WriteFile(u"single.ini", changed);
  ASSERT_TRUE(platform::RealProfile().WriteBatch(dir.Join(u"batch.ini"), ClipWrites(1, 1)));
  for (const platform::ProfileWrite& w : ClipWrites(1, 1))
    ASSERT_TRUE(Reference().WriteString(dir.Join(u"single.ini"), w.section, w.key, *w.value));
  EXPECT_EQ(dir.ReadFile(u"batch.ini"), dir.ReadFile(u"single.ini"));
  // A single write between two batches is seen too.
  ASSERT_TRUE(platform::RealProfile().WriteString(dir.Join(u"batch.ini"), u"Clip1", u"Mode", u"EXPORT"));
  ASSERT_TRUE(Reference().WriteString(dir.Join(u"single.ini"), u"Clip1", u"Mode", u"EXPORT"));
  ASSERT_TRUE(platform::RealProfile().WriteBatch(dir.Join(u"batch.ini"), ClipWrites(2, 1)));
  for (const platform::ProfileWrite& w : ClipWrites(2, 1))
    ASSERT_TRUE(Reference().WriteString(dir.Join(u"single.ini"), w.section, w.key, *w.value));
  EXPECT_EQ(dir.ReadFile(u"batch.ini"), dir.ReadFile(u"single.ini"));
}

// Batch after batch over files whose next reading differs from what was written.
TEST(Profile, ConsecutiveBatchesOverOddFilesEqualOneCallPerWrite) {
  struct Case {
    const char* name;
    std::optional<std::string> initial;
    std::vector<std::vector<platform::ProfileWrite>> batches;
  };
  const std::vector<Case> cases = {
      {"a rewrite brings a mark to the front: later batches write in the encoding it names",
       std::string("\r\n\xFF\xFE=x\r\n[OLD]\r\nkeep=1\r\n"), {ClipWrites(0, 1), ClipWrites(1, 1), ClipWrites(2, 1)}},
      {"the last write of a batch brings the mark", std::string("\r\n\xFF\xFE=x\r\n"),
       {{{u"S", u"k", u"1"}}, {{u"T", u"k", u"2"}}}},
      {"a stray nameless section", "a=1\r\n[S]\r\ns=1\r\n[]\r\nn=1\r\n",
       {{{u"", u"x", u"1"}}, {{u"S", u"y", u"2"}}, {{u"", u"z", u"3"}}}},
      {"a name that does not survive the encoding, batch after batch", std::nullopt,
       {{{u"S\xD800", u"k", u"1"}}, {{u"S\xD800", u"j", u"2"}}, {{u"S\xD800", u"j", u"3"}}}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    if (c.initial) {
      dir.WriteFile(u"single.ini", *c.initial);
      dir.WriteFile(u"batch.ini", *c.initial);
    }
    for (std::size_t b = 0; b < c.batches.size(); ++b) {
      for (const platform::ProfileWrite& w : c.batches[b])
        ASSERT_TRUE(Reference().WriteString(dir.Join(u"single.ini"), w.section, w.key, *w.value)) << c.name;
      ASSERT_TRUE(platform::RealProfile().WriteBatch(dir.Join(u"batch.ini"), c.batches[b])) << c.name;
      EXPECT_EQ(dir.ReadFile(u"batch.ini"), dir.ReadFile(u"single.ini")) << c.name << ", batch " << b;
    }
  }
}

TEST(Profile, UnwritableTargetsFailAndKeepTheFile) {
  TempDir dir;
  const std::u16string longPath = dir.Join(std::u16string(300, u'x') + u".ini");
  std::unique_ptr<platform::Profile> model = Model();
  EXPECT_EQ(model->ReadString(longPath, u"S", u"k", u"d", 10).value, u"d");
  EXPECT_EQ(model->ReadInt(longPath, u"S", u"k", 7), 7);
  EXPECT_FALSE(model->WriteString(longPath, u"S", u"k", u"v"));
  EXPECT_FALSE(model->WriteBatch(longPath, {{u"S", u"k", u"v"}}));
  EXPECT_FALSE(platform::RealProfile().WriteBatch(dir.Join(u"none/x.ini"), {{u"S", u"k", u"v"}}));

  // A read-only file: every write fails, also one that would change nothing, and the bytes stay.
  dir.WriteFile(u"ro.ini", "[S]\r\nk=v\r\n");
  std::filesystem::permissions(dir.FsPath() / "ro.ini", std::filesystem::perms::owner_write |
                                                            std::filesystem::perms::group_write |
                                                            std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  if (Reference().WriteString(dir.Join(u"ro.ini"), u"S", u"k", u"w"))
    GTEST_SKIP() << "read-only files are writable here (the superuser under Wine)";
  EXPECT_FALSE(platform::RealProfile().WriteBatch(dir.Join(u"ro.ini"), {{u"S", u"k", u"w"}}));
  EXPECT_FALSE(platform::RealProfile().WriteBatch(dir.Join(u"ro.ini"), {{u"T", u"k", u"w"}}));
  EXPECT_EQ(dir.ReadFile(u"ro.ini"), "[S]\r\nk=v\r\n");
  EXPECT_EQ(platform::RealProfile().ReadString(dir.Join(u"ro.ini"), u"S", u"k", u"", 10).value, u"v");
  std::filesystem::permissions(dir.FsPath() / "ro.ini", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

TEST(Profile, BinaryJunkReadsAndRewritesWithoutHarm) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 7919 + 13) % 256));
  TempDir dir;
  dir.WriteFile(u"junk.ini", junk);
  std::unique_ptr<platform::Profile> model = Model();
  const platform::ProfileString s = model->ReadString(dir.Join(u"junk.ini"), u"S", u"k", u"dflt", 3);
  EXPECT_EQ(s.value, u"df");
  EXPECT_TRUE(model->WriteBatch(dir.Join(u"junk.ini"), {{u"S", u"k", u"v"}}));
  EXPECT_EQ(model->ReadString(dir.Join(u"junk.ini"), u"S", u"k", u"", 10).value, u"v");
}

}  // namespace
}  // namespace vorlane::test
