// LoadHostString over a real module of the suite that carries a string table.
#include <gtest/gtest.h>

#include <string>

#include "hostlib/corvana.h"
#include "platform/module_loader.h"
#include "platform/text.h"

namespace {

class StringTableTest : public testing::Test {
 protected:
  void SetUp() override {
    load_ = platform::LoadPluginModule(platform::Utf8ToUtf16(VORLANE_BIN_DIR "/" TEST_RECEIVER_NAME));
    ASSERT_NE(load_.module, nullptr) << load_.error;
    handle_ = platform::ModuleHandleOf(load_.module);
    ASSERT_NE(handle_, nullptr);
  }
  void TearDown() override { platform::UnloadPluginModule(load_.module); }

  platform::ModuleLoad load_;
  void* handle_ = nullptr;
};

TEST_F(StringTableTest, FindsEachStringOfTheModuleById) {
  EXPECT_EQ(std::u16string(LoadHostString(handle_, 1)), u"Vorlane Test Receiver");
  EXPECT_EQ(std::u16string(LoadHostString(handle_, 2)), u"Lists no clips; serves the stand-in host's tests.");
  // A string past the 260-character path buffers comes back whole.
  const std::u16string longText = LoadHostString(handle_, 7);
  EXPECT_EQ(longText.size(), 320u);
  EXPECT_EQ(longText.substr(longText.size() - 4), u" end");
}

TEST_F(StringTableTest, MissingStringOrModuleGivesEmptyTextNeverNull) {
  for (auto [module, id] : {std::pair<void*, std::uint32_t>{handle_, 3}, {handle_, 0}, {nullptr, 1}}) {
    const char16_t* text = LoadHostString(module, id);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(*text, u'\0') << "id " << id;
  }
}

TEST_F(StringTableTest, AModuleWithoutTableHasNoStrings) {
  // The test program itself carries no table; its handle must not find the receiver's strings.
  platform::ModuleLoad other = platform::LoadPluginModule(platform::Utf8ToUtf16(VORLANE_BIN_DIR "/" TEST_LACKING_NAME));
  ASSERT_NE(other.module, nullptr) << other.error;
  EXPECT_EQ(*LoadHostString(platform::ModuleHandleOf(other.module), 1), u'\0');
  platform::UnloadPluginModule(other.module);
}

}  // namespace
