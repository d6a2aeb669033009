#include "contract/entry_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "no_access_page.h"
#include "platform/processor_faults.h"

namespace {

// One guarded entry: the memory a fault reads, and how often the failure was reported.
struct Entry {
  const vorlane::test::NoAccessPage* memory = nullptr;
  int reports = 0;
};

enum class Ending { Returns, Throws, Faults };

void End(const Entry& entry, Ending ending) {
  if (ending == Ending::Throws) throw std::runtime_error("run");
  if (ending == Ending::Faults) entry.memory->Touch();
}

struct Case {
  const char* fault;
  Ending body;
  Ending report;
  int result;
  int reports;
};

int Guarded(Entry& entry, const Case& c) {
  return contract::GuardEntryAndFaults(
      -1,
      [&] {
        End(entry, c.body);
        return 7;
      },
      [&] {
        ++entry.reports;
        End(entry, c.report);
      });
}

TEST(GuardEntryAndFaults, ReturnsTheResultOrReportsOnceAndFails) {
  const Case cases[] = {
      {"a body that returns gives its result and reports nothing", Ending::Returns, Ending::Returns, 7, 0},
      {"a body that throws reports once", Ending::Throws, Ending::Returns, -1, 1},
      {"a report that throws does not get out", Ending::Throws, Ending::Throws, -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    Entry entry;
    EXPECT_EQ(Guarded(entry, c), c.result);
    EXPECT_EQ(entry.reports, c.reports);
  }
}

TEST(GuardEntryAndFaults, AProcessorFaultCountsAsAThrow) {
  if (!platform::CatchesProcessorFaults()) GTEST_SKIP() << "this build catches exceptions only";
  if (VORLANE_FAULTS_END_WINE) {
    GTEST_SKIP() << "32-bit Wine under qemu's emulation ends the process at a processor fault; the win64 build "
                    "runs this test";
  }
  const Case cases[] = {
      {"a body that faults reports once", Ending::Faults, Ending::Returns, -1, 1},
      {"a report that faults does not get out", Ending::Faults, Ending::Faults, -1, 1},
  };
  vorlane::test::NoAccessPage memory;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    Entry entry{&memory};
    EXPECT_EQ(Guarded(entry, c), c.result);
    EXPECT_EQ(entry.reports, c.reports);
  }
}

}  // namespace
