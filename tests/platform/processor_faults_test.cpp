#include "platform/processor_faults.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "no_access_page.h"

namespace {

using namespace std::string_literals;
using vorlane::test::NoAccessPage;

constexpr bool kFaultsEndWine = VORLANE_FAULTS_END_WINE;
constexpr const char* kNoGuard = "this build runs the call unguarded: a fault would end the test program";
constexpr const char* kEmulated =
    "32-bit Wine under qemu's emulation ends the process at a processor fault; the win64 build runs this test";

TEST(ReadableText, AnswersForEveryByteUpToTheTerminatorOrTheLimit) {
  NoAccessPage memory;
  const std::size_t page = memory.PageBytes();
  struct Case {
    const char* fault;
    std::string bytes;  // placed so that their last byte is the last readable one
    std::size_t maxBytes;
    bool readable;
  } cases[] = {
      {"a pointer into the unreadable page", "", 260, false},
      {"a pointer to the last readable byte, which is the terminator", "\0"s, 260, true},
      {"a pointer to the last readable byte, which is no terminator: one byte is not enough", "a", 260, false},
      {"a text whose terminator is the last readable byte", "C:\\a.txt\0"s, 260, true},
      {"a text that runs into the unreadable page", "C:\\a.txt", 260, false},
      {"the limit ends the text before the unreadable page", std::string(260, 'p'), 260, true},
      {"one byte more than the limit would read the unreadable page", std::string(260, 'p'), 261, false},
      {"a text across the two readable pages", std::string(page + 10, 'q') + '\0' + std::string(89, 'q'), 2 * page,
       true},
      {"a text from the first page through the second into the unreadable one", std::string(page + 100, 'q'),
       page + 101, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    EXPECT_EQ(platform::ReadableText(memory.PlaceBeforeUnreadable(c.bytes), c.maxBytes), c.readable);
  }
  EXPECT_FALSE(platform::ReadableText(nullptr, 260)) << "null";
}

// What a guarded call did, and the memory it may fault on.
struct Call {
  const NoAccessPage* memory = nullptr;
  volatile int reached = 0;  // 1 before the fault, 2 after it: kept in order, as the effects of a real run
};

TEST(RunCatchingProcessorFaults, ACallThatReturnsReportsTrue) {
  Call call;
  EXPECT_TRUE(platform::RunCatchingProcessorFaults([](void* c) { static_cast<Call*>(c)->reached = 2; }, &call));
  EXPECT_EQ(call.reached, 2);
}

TEST(RunCatchingProcessorFaults, AFaultAbandonsTheCallAndTheProgramRunsOn) {
  if (!platform::CatchesProcessorFaults()) GTEST_SKIP() << kNoGuard;
  if (kFaultsEndWine) GTEST_SKIP() << kEmulated;
  NoAccessPage memory;
  struct Case {
    const char* fault;
    void (*call)(void*);
  } cases[] = {
      {"a read of an unreadable page",
       [](void* c) {
         static_cast<Call*>(c)->reached = 1;
         static_cast<Call*>(c)->memory->Touch();
         static_cast<Call*>(c)->reached = 2;
       }},
      {"a write to an unreadable page",
       [](void* c) {
         static_cast<Call*>(c)->reached = 1;
         *const_cast<volatile char*>(static_cast<Call*>(c)->memory->Unreadable()) = 'w';
         static_cast<Call*>(c)->reached = 2;
       }},
      {"a read at address 0",
       [](void* c) {
         static const volatile char* volatile nowhere = nullptr;
         static_cast<Call*>(c)->reached = 1;
         static_cast<void>(*nowhere);
         static_cast<Call*>(c)->reached = 2;
       }},
      {"an integer division by zero",
       [](void* c) {
         static volatile int zero = 0;
         static_cast<Call*>(c)->reached = 1;
         static_cast<Call*>(c)->reached = 2 / zero + 2;
       }},
  };
  // Every case in turn: the guard of one fault must leave the next guard, and C++ exceptions, working.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    Call call{&memory};
    EXPECT_FALSE(platform::RunCatchingProcessorFaults(c.call, &call));
    EXPECT_EQ(call.reached, 1) << "what the call did before the fault stays, and nothing after it runs";
  }
  EXPECT_THROW(throw std::runtime_error("after the faults"), std::runtime_error);
  Call after;
  EXPECT_TRUE(platform::RunCatchingProcessorFaults([](void* c) { static_cast<Call*>(c)->reached = 2; }, &after));
}

TEST(RunCatchingProcessorFaults, WhatTheCallHandlesItselfStaysWithIt) {
  if (!platform::CatchesProcessorFaults()) GTEST_SKIP() << kNoGuard;
  if (kFaultsEndWine) GTEST_SKIP() << kEmulated;
  NoAccessPage memory;
  Call call{&memory};
  // A handler inside the call is asked first, as the system's own probes expect; and a C++ exception
  // thrown and caught inside never reaches the guard.
  EXPECT_TRUE(platform::RunCatchingProcessorFaults(
      [](void* c) {
        Call& outer = *static_cast<Call*>(c);
        const bool inner = platform::RunCatchingProcessorFaults(
            [](void* m) { static_cast<const NoAccessPage*>(m)->Touch(); }, const_cast<NoAccessPage*>(outer.memory));
        try {
          throw std::runtime_error("inside");
        } catch (const std::runtime_error&) {
          outer.reached = inner ? 1 : 2;
        }
      },
      &call));
  EXPECT_EQ(call.reached, 2) << "the inner guard took the fault";
}

}  // namespace
