#pragma once
// Automation objects for the class ids a test registers; every call is recorded in the fake.
#include <set>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation.h"

namespace platform::fake {

struct AutomationCall {
  std::u16string classId;
  int slot = 0;
  std::u16string text;
};

class FakeAutomation final : public Automation {
 public:
  std::unique_ptr<AutomationObject> Create(std::u16string_view classId, std::u16string_view interfaceId) override {
    createAttempts.emplace_back(classId, interfaceId);
    if (registered.count(std::u16string(classId)) == 0) return nullptr;
    return std::make_unique<Object>(*this, std::u16string(classId));
  }

  // Class ids that can be created.
  std::set<std::u16string> registered;
  // The answer of every call; nothing: the call fails.
  std::optional<std::int32_t> answer = 1;
  std::vector<std::pair<std::u16string, std::u16string>> createAttempts;
  std::vector<AutomationCall> calls;

 private:
  class Object final : public AutomationObject {
   public:
    Object(FakeAutomation& owner, std::u16string classId) : owner_(owner), classId_(std::move(classId)) {}
    std::optional<std::int32_t> CallStringToLong(int slot, std::u16string_view text) override {
      owner_.calls.push_back({classId_, slot, std::u16string(text)});
      return owner_.answer;
    }

   private:
    FakeAutomation& owner_;
    std::u16string classId_;
  };
};

}  // namespace platform::fake
