// The in-memory files against the real ones: the same profile calls give the same bytes, and a search
// finds the same names in the same order.
#include "platform/fake/memory_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system.h"
#include "temp_dir.h"

namespace vorlane::test {
namespace {

void Calls(platform::Profile& profile, const std::u16string& file) {
  profile.WriteString(file, u"CLIP0", u"PATH", std::u16string_view(u"/a/"));
  profile.WriteBatch(file, {{u"clip1", u"NAME", u"\"quoted\""}, {u"CLIP0", u"PATH", std::nullopt}});
  profile.WriteSection(file, u"Other", std::vector<std::u16string>{u"k=v", u"bare"});
  profile.WriteSection(file, u"CLIP0", std::nullopt);
}

TEST(MemoryFiles, GivesTheBytesAndSearchesOfTheRealFiles) {
  TempDir dir;
  const std::string initial = "\xEF\xBB\xBF; kept\r\n[clip0]\r\nPATH=old\r\n\r\n[x]\nk=1\n";
  dir.WriteFile(u"list.ini", initial);
  for (const char16_t* name : {u"b.SRB", u"A.srb", u"c.txt"}) dir.WriteFile(name, "");
  dir.WriteFile(u"d.SRB/inner", "");

  platform::fake::MemoryFiles memory;
  memory.AddFolder(u"/m");
  memory.AddFolder(u"/m/d.SRB");
  memory.Put(u"/m/list.ini", initial);
  for (const char16_t* name : {u"/m/b.SRB", u"/m/A.srb", u"/m/c.txt"}) memory.Put(name, "");

  Calls(platform::RealSystem().profile, dir.Join(u"list.ini"));
  Calls(*platform::fake::MakeMemoryProfile(memory), u"/m/list.ini");
  EXPECT_EQ(*memory.Get(u"/m/list.ini"), dir.ReadFile(u"list.ini"));

  const auto names = [](const std::vector<platform::FileEntry>& entries) {
    std::vector<std::pair<std::u16string, bool>> out;
    for (const auto& entry : entries) out.emplace_back(entry.name, entry.isDirectory);
    return out;
  };
  EXPECT_EQ(names(memory.Find(u"/m/*.srb")), names(platform::RealSystem().files.Find(dir.Join(u"*.srb"))));
  EXPECT_FALSE(platform::fake::MakeMemoryProfile(memory)->WriteString(u"/nowhere/x.ini", u"s", u"k",
                                                                       std::u16string_view(u"v")));
}

}  // namespace
}  // namespace vorlane::test
