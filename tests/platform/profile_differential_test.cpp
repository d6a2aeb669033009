// Seeded random sequences over odd files: the platform's real profile functions against the document
// profile store with the same code page, every result and the file's bytes after every step. Only where the
// real functions exist (Windows, under Wine here); the POSIX build is held to the recorded case table.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/path.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "profile_store.h"
#include "temp_dir.h"

namespace platform {
Profile* PlatformProfileFunctions();
}

namespace vorlane::test {
namespace {

const char* const kLines[] = {
    "[A]", "[ a ]", "[B] junk", "[a]b]", "[]", "[open", "k=1", "K = 2 ", "k", ";c=1", "TCIn =x", "q=\"quoted\"",
    "e=", "=", "==v", "n=0x1F", "n=017", "  ", "\tt\t=\tv", "x=12abc", "[Clip0]", "Path=C:\\a b\\", "z='",
    "[New]", "\xE9t\xE9=\xFC"};
const char* const kBreaks[] = {"\r\n", "\n", "\r", "\r\n\r\n", "\n\r"};
const char16_t* const kSections[] = {u"A", u"a", u" A ", u"B", u"C", u"a]b", u"", u"New ", u"Clip0", u"open"};
const char16_t* const kKeys[] = {u"k", u"K", u" k ", u"TCIn ", u"TCIn", u"q", u"e", u"n", u"x", u"", u";c", u"z",
                                 u"Path", u"t"};
const char16_t* const kValues[] = {u"1", u"v", u"  lead", u"trail  ", u"\"q\"", u"", u"0x1F", u"x=y", u"'", u"\u00E9"};
const char16_t* const kDefaults[] = {u"", u"d", u"\"dq\"", u"d  ", u"'"};
const std::uint32_t kSizes[] = {2, 3, 5, 30, 260};
const char16_t* const kEntries[] = {u"k=1", u"K = 2", u"noeq", u"n=5", u" TCIn =t"};

template <typename T, std::size_t N>
const T& Pick(std::mt19937& random, const T (&items)[N]) {
  return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

std::string RandomFile(std::mt19937& random) {
  std::string text;
  const int lines = std::uniform_int_distribution<int>(0, 12)(random);
  for (int i = 0; i < lines; ++i) {
    text += Pick(random, kLines);
    text += Pick(random, kBreaks);
  }
  return text;
}

TEST(ProfileDifferential, RandomSequencesAgreeWithTheRealFunctions) {
  if (!platform::PlatformProfileFunctions()) GTEST_SKIP() << "the real profile functions exist only on Windows";
  platform::Profile& real = *platform::PlatformProfileFunctions();
  const auto model = std::make_unique<platform::ProfileStore>(platform::NativeProfileFiles(), platform::NativeTextCodec());
  TempDir dir;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    // Fresh names each time, so that no cached copy of an earlier file takes part.
    const std::u16string a = dir.Join(u"real" + platform::FormatInt(seed) + u".ini");
    const std::u16string b = dir.Join(u"model" + platform::FormatInt(seed) + u".ini");
    if (random() % 8 != 0) {
      const std::string file = RandomFile(random);
      dir.WriteFile(a.substr(dir.Path().size() + 1), file);
      dir.WriteFile(b.substr(dir.Path().size() + 1), file);
    }
    const int steps = std::uniform_int_distribution<int>(1, 8)(random);
    for (int step = 0; step < steps; ++step) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step);
      const std::u16string section = Pick(random, kSections);
      const std::u16string key = Pick(random, kKeys);
      switch (random() % 7) {
        case 0:
        case 1: {
          const std::u16string def = Pick(random, kDefaults);
          const std::uint32_t size = Pick(random, kSizes);
          const platform::ProfileString x = real.ReadString(a, section, key, def, size);
          const platform::ProfileString y = model->ReadString(b, section, key, def, size);
          EXPECT_EQ(x.value, y.value);
          EXPECT_EQ(x.count, y.count);
          break;
        }
        case 2:
          EXPECT_EQ(real.ReadInt(a, section, key, 77), model->ReadInt(b, section, key, 77));
          break;
        case 3: {
          const std::u16string value = Pick(random, kValues);
          EXPECT_EQ(real.WriteString(a, section, key, value), model->WriteString(b, section, key, value));
          break;
        }
        case 4:
          EXPECT_EQ(real.WriteString(a, section, key, std::nullopt), model->WriteString(b, section, key, std::nullopt));
          break;
        case 5: {
          std::vector<std::u16string> entries;
          for (unsigned n = random() % 4; n > 0; --n) entries.push_back(Pick(random, kEntries));
          EXPECT_EQ(real.WriteSection(a, section, entries), model->WriteSection(b, section, entries));
          break;
        }
        case 6: {
          // A batch against the same writes one real call at a time.
          std::vector<platform::ProfileWrite> writes;
          for (auto n = 1 + random() % 6; n > 0; --n) {
            platform::ProfileWrite w{Pick(random, kSections), Pick(random, kKeys), std::u16string(Pick(random, kValues))};
            if (random() % 5 == 0) w.value.reset();
            writes.push_back(std::move(w));
          }
          bool ok = true;
          for (const platform::ProfileWrite& w : writes) {
            std::optional<std::u16string_view> value;
            if (w.value) value = *w.value;
            ok = real.WriteString(a, w.section, w.key, value) && ok;
          }
          EXPECT_EQ(model->WriteBatch(b, writes), ok);
          break;
        }
      }
      ASSERT_EQ(dir.ReadFile(a.substr(dir.Path().size() + 1)), dir.ReadFile(b.substr(dir.Path().size() + 1)));
    }
  }
}

}  // namespace
}  // namespace vorlane::test
