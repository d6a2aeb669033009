// The host's rules for a clip list, as plugin-host validate applies them to what a receive plug-in wrote.
#include <gtest/gtest.h>

#include <string>

#include "clip_list_reader.h"
#include "platform/text.h"

namespace {

const std::string kClipRecord =
    "Path=/w/\nFilename=a.mxf\nReelname=\nRackname=\nTCIn =\nTCOut=\nMarkIn=\nMarkOut=\nRouting=V\nMode=IMPORT\n"
    "ClipAuthor=\nScene=\nTake=\nComment=\nName=a.mxf\nAttribute=\nAddToSeq=\nLength=0\n";

struct Case {
  const char* name;
  std::string text;
  const char* fault;  // a part of the message; null: the list keeps the rules
};

std::optional<std::string> FaultOf(const std::string& text) {
  plugin_host::ClipList list;
  list.sections = plugin_host::ParseClipList(platform::Utf8ToUtf16(text));
  return plugin_host::ClipListFault(list);
}

TEST(ClipListRules, EachBreakIsNamed) {
  const Case cases[] = {
      {"clip records numbered from 0, keys in any case", "[Clip0]\n" + kClipRecord + "[clip1]\n" + kClipRecord, nullptr},
      {"a re-import writer's sections with only the keys it always writes", "[CLIP0]\nMODE=IMPORT\nCOMMENT=x\n",
       nullptr},
      {"a gap in the numbers", "[Clip0]\n" + kClipRecord + "[Clip2]\n" + kClipRecord, "clip number 1 is missing"},
      {"numbers that do not start at 0", "[Clip1]\n" + kClipRecord, "clip number 0 is missing"},
      {"a number twice", "[Clip0]\n" + kClipRecord + "[CLIP0]\nMODE=IMPORT\nCOMMENT=x\n", "appears twice"},
      {"a key of the record missing", "[Clip0]\nPath=/w/\n", "[Clip0] lacks key Filename"},
      {"a key of the record without its '='", "[Clip0]\n" + kClipRecord.substr(0, kClipRecord.find("Length")) + "Length\n",
       "[Clip0] lacks key Length"},
      {"a re-import key in a clip record", "[Clip0]\n" + kClipRecord + "FILENAME2=x\n", "holds FILENAME2"},
      {"a re-import section without COMMENT", "[CLIP0]\nMODE=IMPORT\n", "[CLIP0] lacks key COMMENT"},
      {"a section that is no clip", "[Settings]\nx=1\n", "[Settings] is no numbered clip section"},
      {"keys before any section", "Mode=IMPORT\n[Clip0]\n" + kClipRecord, "[] is no numbered clip section"},
  };
  for (const Case& c : cases) {
    const auto fault = FaultOf(c.text);
    if (c.fault == nullptr) {
      EXPECT_FALSE(fault) << c.name << ": " << fault.value_or("");
    } else {
      ASSERT_TRUE(fault) << c.name;
      EXPECT_NE(fault->find(c.fault), std::string::npos) << c.name << ": " << *fault;
    }
  }
}

}  // namespace
