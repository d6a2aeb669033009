// The demo's recorder disk under examples/ is generated from fields by the attribute file builder; this
// test holds the committed files to those fields. VORLANE_WRITE_EXAMPLES=1 writes them anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "attribute_file_builder.h"

namespace {

namespace fs = std::filesystem;
using vorlane::test::AttributeFields;
using vorlane::test::AttributeFileBytes;

struct ExampleFile {
  const char* path;
  std::string bytes;
};

std::vector<ExampleFile> ExampleDisk() {
  // PAL from 10:00:00:00, three clips.
  const AttributeFields tape{.length = "00000425", .author = "DEMO-CAM", .tableCount = "3",
                             .table = {{'1', "100"}, {'2', "250"}, {'3', "75"}}};
  // NTSC drop-frame from 09:59:30;00, two marks, two clips.
  const AttributeFields studio{.length = "00000450", .standard = "NTC", .seconds = 30, .minutes = 59, .hours = 9,
                               .dropFrame = true, .author = "STUDIO-B", .markCount = "002", .markEntries = 2,
                               .tableCount = "2", .table = {{'1', "300"}, {'2', "150"}}};
  return {
      {"tape0007.dlx", "DSR-DU1 tape 0007\r\n"},
      {"tape0007/000001.dvd", "dv"},
      {"tape0007/000002.dvd", "dv"},
      {"tape0007/000003.dvd", "dv"},
      {"tape0007/Attribute.atr", AttributeFileBytes(tape)},
      {"list.dlt", "DSR-DU1 clip list\r\n0012\r\n0003\r\n"},
      {"0003/000001.dvd", "dv"},
      {"0003/000002.dvd", "dv"},
      {"0003/Attribute.atr", AttributeFileBytes(studio)},
      {"0012/000001.dvd", "dv"},  // no Attribute.atr: the clip keeps the values before it
  };
}

TEST(RecorderExampleDisk, MatchesTheFieldsItIsGeneratedFrom) {
  const fs::path disk = fs::path(VORLANE_SOURCE_DIR) / "examples" / "recorder-disk";
  const char* write = std::getenv("VORLANE_WRITE_EXAMPLES");
  for (const ExampleFile& file : ExampleDisk()) {
    const fs::path path = disk / file.path;
    if (write != nullptr && std::string(write) == "1") {
      fs::create_directories(path.parent_path());
      std::ofstream(path, std::ios::binary | std::ios::trunc) << file.bytes;
    }
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), file.bytes)
        << file.path << " differs from its fields; run with VORLANE_WRITE_EXAMPLES=1";
  }
}

}  // namespace
