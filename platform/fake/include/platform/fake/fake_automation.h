#pragma once
// OLE and automation objects for the class ids a test registers. Every call is recorded; its answer
// comes from a hook the test may set (by default every call succeeds and the object is ready).
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/automation.h"

namespace platform::fake {

struct AutomationCall {
  std::u16string classId;
  int slot = 0;
  std::u16string text;  // empty for calls with a value out
};

class FakeAutomation final : public Automation {
 public:
  bool InitializeOle() override {
    ++oleInitializations;
    if (!oleWorks) return false;
    ++oleDepth;
    return true;
  }
  void UninitializeOle() override { --oleDepth; }

  std::unique_ptr<AutomationObject> Create(std::u16string_view classId, std::u16string_view interfaceId) override {
    createAttempts.emplace_back(classId, interfaceId);
    if (oleDepth <= 0 || registered.count(std::u16string(classId)) == 0) return nullptr;
    return std::make_unique<Object>(*this, std::u16string(classId));
  }

  bool oleWorks = true;
  int oleInitializations = 0;
  int oleDepth = 0;  // initialisations not yet undone
  int liveObjects = 0;
  // Class ids that can be created.
  std::set<std::u16string> registered;
  // Answers of the calls; the call is recorded before the hook runs.
  std::function<std::int32_t(const AutomationCall&)> onStringCall = [](const AutomationCall&) { return 0; };
  std::function<LongAnswer(const AutomationCall&)> onLongOutCall = [](const AutomationCall&) {
    return LongAnswer{0, 1};
  };
  std::vector<std::pair<std::u16string, std::u16string>> createAttempts;
  std::vector<AutomationCall> calls;

 private:
  class Object final : public AutomationObject {
   public:
    Object(FakeAutomation& owner, std::u16string classId) : owner_(owner), classId_(std::move(classId)) {
      ++owner_.liveObjects;
    }
    ~Object() override { --owner_.liveObjects; }
    std::int32_t CallWithString(int slot, std::u16string_view text) override {
      owner_.calls.push_back({classId_, slot, std::u16string(text)});
      return owner_.onStringCall(owner_.calls.back());
    }
    LongAnswer CallWithLongOut(int slot) override {
      owner_.calls.push_back({classId_, slot, {}});
      return owner_.onLongOutCall(owner_.calls.back());
    }

   private:
    FakeAutomation& owner_;
    std::u16string classId_;
  };
};

}  // namespace platform::fake
