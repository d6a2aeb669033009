// Where a receive plug-in keeps its clip list and settings file, formed from its own module path.
#include "contract/module_files.h"
#include "platform/os_rules.h"

#include <gtest/gtest.h>

#include "platform/path.h"
#include "platform/text.h"

namespace {

// Windows lower-cases the path it forms; POSIX keeps the real case so the files stay reachable.
std::u16string Expected(std::u16string_view literal) {
  if (literal.empty()) return {};
  const std::u16string path = platform::NativeSeparators(literal);
  return platform::FileNamesIgnoreCase() ? platform::ToLower(path) : path;
}

struct ModuleCase {
  std::u16string_view module;
  std::u16string_view clipList;
  std::u16string_view settings;
  const char* fault;
};

TEST(ModuleFiles, LieBesideTheModuleAndNeverOnIt) {
  const std::u16string tooLong = u"\\" + std::u16string(250, u'd') + u"\\Moltrin.x";
  const ModuleCase cases[] = {
      {u"\\Plug Ins\\Moltrin.x", u"\\Plug Ins\\vorlane.ini", u"\\Plug Ins\\moltrin.ini",
       "the marker is found without regard to case and the directory keeps its spelling"},
      {u"\\a\\moltrin\\b\\Moltrin.x", u"\\a\\moltrin\\b\\vorlane.ini", u"\\a\\moltrin\\b\\moltrin.ini",
       "a folder above named after the plug-in does not move the files: the marker in the file name cuts"},
      {u"\\x\\Moltrin-plugins\\mod\\Moltrin.x", u"\\x\\Moltrin-plugins\\mod\\vorlane.ini",
       u"\\x\\Moltrin-plugins\\mod\\moltrin.ini", "a folder that only begins with the marker does not cut either"},
      {u"\\a\\moltrin\\b\\renamed.x", u"\\a\\vorlane.ini", u"\\a\\moltrin.ini",
       "a module path with the marker once keeps its files where they always were"},
      {u"\\Plug Ins\\renamed.x", u"\\Plug Ins\\vorlane.ini", u"\\Plug Ins\\moltrin.ini",
       "a module under another name keeps its files in its own directory"},
      {u"\\Plug Ins\\moltrin.ini", u"\\Plug Ins\\vorlane.ini", u"",
       "a module file that the settings path would name is never written over"},
      {tooLong, u"", u"", "paths past 259 characters are not formed"},
      {u"Moltrin.x", u"", u"", "a module path without a directory gives no place"},
  };
  for (const ModuleCase& c : cases) {
    const contract::ModuleFiles files =
        contract::FormModuleFiles(platform::NativeSeparators(c.module), u"\\moltrin", u"moltrin.ini");
    EXPECT_EQ(files.clipList, Expected(c.clipList)) << c.fault;
    EXPECT_EQ(files.settings, Expected(c.settings)) << c.fault;
  }
}

}  // namespace
