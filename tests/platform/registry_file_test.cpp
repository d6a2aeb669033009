#include "registry_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::RegistryFile;

std::string Utf16LeWithBom(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

const char16_t kExport[] =
    u"Windows Registry Editor Version 5.00\r\n"
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apple Computer, Inc.\\QuickTime]\r\n"
    u"\"InstallDir\"=\"C:\\\\Program Files\\\\QuickTime\\\\\"\r\n"
    u"\"Quoted\"=\"say \\\"hi\\\"\"\r\n"
    u"\r\n"
    u"; a comment\r\n"
    u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WaveLab.exe]\r\n"
    u"@=\"C:\\\\WaveLab\\\\WaveLab.exe\"\r\n"
    u"\"Path\"=\"C:\\\\WaveLab\"\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Other]\r\n"
    u"\"Name\"=\"not the local machine\"\r\n";

void ExpectReads(const RegistryFile& registry) {
  auto value = registry.Read(u"software\\apple computer, inc.\\quicktime", u"installdir", 520);
  EXPECT_TRUE(value.keyOpened);
  ASSERT_TRUE(value.valueRead);
  EXPECT_EQ(value.text, u"C:\\Program Files\\QuickTime\\");
  EXPECT_EQ(registry.Read(u"SOFTWARE\\Apple Computer, Inc.\\QuickTime", u"Quoted", 520).text, u"say \"hi\"");
  EXPECT_EQ(registry.Read(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WaveLab.exe", std::nullopt, 520).text,
            u"C:\\WaveLab\\WaveLab.exe");
}

TEST(RegistryFile, ReadsUtf16AndUtf8Exports) {
  ExpectReads(RegistryFile::Parse(Utf16LeWithBom(kExport)));
  std::string utf8;
  for (const char16_t* c = kExport; *c != 0; ++c) utf8 += static_cast<char>(*c);
  ExpectReads(RegistryFile::Parse(utf8));
  ExpectReads(RegistryFile::Parse("\xEF\xBB\xBF" + utf8));
}

TEST(RegistryFile, TellsAMissingKeyFromAMissingValue) {
  const RegistryFile registry = RegistryFile::Parse(Utf16LeWithBom(kExport));
  const auto noKey = registry.Read(u"SOFTWARE\\Microsoft\\Multimedia\\WMPlayer", u"Player.Path", 520);
  EXPECT_FALSE(noKey.keyOpened);
  const auto noValue = registry.Read(u"SOFTWARE\\Apple Computer, Inc.\\QuickTime", u"Missing", 520);
  EXPECT_TRUE(noValue.keyOpened);
  EXPECT_FALSE(noValue.valueRead);
  // A key with no default value set.
  EXPECT_FALSE(registry.Read(u"SOFTWARE\\Apple Computer, Inc.\\QuickTime", std::nullopt, 520).valueRead);
  // Keys above a listed key open; other roots are not the local machine.
  EXPECT_TRUE(registry.Read(u"SOFTWARE\\Microsoft", u"x", 520).keyOpened);
  EXPECT_FALSE(registry.Read(u"SOFTWARE\\Micro", u"x", 520).keyOpened);
  EXPECT_FALSE(registry.Read(u"Software\\Other", u"Name", 520).keyOpened);
}

TEST(RegistryFile, ValueLongerThanTheBufferIsNotRead) {
  RegistryFile registry;
  registry.SetString(u"K", u"Exact", std::u16string(259, u'x'));  // 520 bytes with the terminator
  registry.SetString(u"K", u"Over", std::u16string(260, u'x'));   // 522 bytes
  EXPECT_TRUE(registry.Read(u"K", u"Exact", 520).valueRead);
  const auto over = registry.Read(u"K", u"Over", 520);
  EXPECT_TRUE(over.keyOpened);
  EXPECT_FALSE(over.valueRead);
  EXPECT_TRUE(over.text.empty());
}

TEST(RegistryFile, OtherValueTypesAndRegedit4) {
  const RegistryFile registry = RegistryFile::Parse(
      "REGEDIT4\r\n"
      "[HKEY_LOCAL_MACHINE\\K]\r\n"
      "\"Unterminated\"=hex(1):41,00,42,00\r\n"
      "\"Long\"=hex(2):43,00,3a,00,\\\r\n"
      "  5c,00,00,00\r\n"
      "\"Number\"=dword:00000041\r\n"
      "\"Gone\"=\"x\"\r\n"
      "\"Gone\"=-\r\n");
  EXPECT_EQ(registry.Read(u"K", u"Unterminated", 520).text, u"AB");
  EXPECT_EQ(registry.Read(u"K", u"Long", 520).text, u"C:\\");
  EXPECT_EQ(registry.Read(u"K", u"Number", 520).text, u"A");  // read whatever its type, as the raw bytes
  EXPECT_FALSE(registry.Read(u"K", u"Gone", 520).valueRead);
}

TEST(RegistryFile, MalformedInputIsAnEmptyRegistryOrASkippedLine) {
  const std::string garbage[] = {
      "", "\xFF\xFE", "\xFF", "not a registry\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"b\"\n",
      std::string("\0\0\0\0", 4), "\xFF\xFE\x00\xD8",
  };
  for (const std::string& bytes : garbage) {
    EXPECT_FALSE(RegistryFile::Parse(bytes).Read(u"K", u"a", 520).keyOpened);
  }
  const RegistryFile registry = RegistryFile::Parse(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\Broken\n"
      "\"a\"=\"in no key\"\n"
      "[HKEY_LOCAL_MACHINE\\K]\n"
      "\"unclosed\"=\"text\n"
      "\"bad hex\"=hex:4\n"
      "\"no equals\"\n"
      "\"empty\"=\n"
      "@=\"ok\"\n");
  EXPECT_FALSE(registry.Read(u"Broken", u"a", 520).keyOpened);
  EXPECT_FALSE(registry.Read(u"K", u"unclosed", 520).valueRead);
  EXPECT_FALSE(registry.Read(u"K", u"bad hex", 520).valueRead);
  EXPECT_EQ(registry.Read(u"K", std::nullopt, 520).text, u"ok");
}

}  // namespace
