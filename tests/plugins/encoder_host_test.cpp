// Carvesh driven by the stand-in host as the demo drives it: `plugin-host send` with a registry file
// that names an installed Cleaner 5.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/text.h"
#include "plugin_module.h"
#include "temp_dir.h"
#include "test_registry.h"

namespace {

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

TEST(EncoderThroughHost, SendWritesTheBatchFileBesideCleaner5) {
  vorlane::test::TempDir dir;
  vorlane::test::TestRegistry registry;
  dir.WriteFile(u"Program Files/Cleaner 5/cleaner 5.exe", "exe");
  dir.WriteFile(u"media/harbour wide.avi", "media");
  registry.Set(u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5", u"UninstallString",
               u"C:\\WINDOWS\\uninst.exe \"" + dir.Join(u"Program Files/Cleaner 5/uninst.log") + u"\"");
  const std::string media = platform::Utf16ToUtf8(dir.Join(u"media/harbour wide.avi"));
  dir.WriteFile(u"export.ini", "[GENERAL]\r\nOBJCOUNT=2\r\n[OBJ1]\r\nMEDIA_V=" + media + "\r\n[OBJ2]\r\nNAME=t\r\n");

  const auto built = [](const char* file) { return std::filesystem::path(vorlane::test::BuiltModulePath(file)); };
  const std::string command = Quoted(built(PLUGIN_HOST_FILE)) + " send " + Quoted(built(CARVESH_FILE)) + " " +
                              Quoted(dir.Join(u"export.ini")) + " --registry " + Quoted(registry.File()) +
                              " > /dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(dir.ReadFile(u"Program Files/Cleaner 5/QN.TXT"),
            "[batch]\r\nname=" + platform::Utf16ToUtf8(dir.Join(u"Program Files/Cleaner 5/cleaner 5.exe")) +
                "/QN\r\n[files]\r\nfile1=" + media + "\r\n");
}

}  // namespace
