#pragma once
// The one frame around every entry point's body: no exception leaves a plug-in.
#include <utility>

#include "platform/processor_faults.h"

namespace contract {

// Runs `body` and returns its result, or `onFailure` when it throws.
template <class Result, class Body>
Result GuardEntry(Result onFailure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return onFailure;
  }
}

// The same, calling `onFault` (itself guarded) before returning `onFailure`: for a run that reports
// its faults, such as a trace at the failure level.
template <class Result, class Body, class Fault>
Result GuardEntry(Result onFailure, Body&& body, Fault&& onFault) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    try {
      std::forward<Fault>(onFault)();
    } catch (...) {
    }
    return onFailure;
  }
}

namespace detail {

// Runs `action` inside the platform's fault guard; true when it returned without throwing.
template <class Action>
bool RunGuardingFaults(Action& action) noexcept {
  struct Run {
    Action& action;
    bool returned = false;
  } run{action};
  const bool ran = platform::RunCatchingProcessorFaults(
      [](void* context) noexcept {
        Run& inner = *static_cast<Run*>(context);
        try {
          inner.action();
          inner.returned = true;
        } catch (...) {
        }
      },
      &run);
  return ran && run.returned;
}

}  // namespace detail

// As the GuardEntry above, and a processor fault inside `body` or `onFault` counts as a throw where the
// platform catches faults (Windows): the body is abandoned where it stood, without its destructors.
// Elsewhere only exceptions are caught.
template <class Result, class Body, class Fault>
Result GuardEntryAndFaults(Result onFailure, Body&& body, Fault&& onFault) noexcept {
  Result result = onFailure;
  auto run = [&] { result = body(); };
  if (detail::RunGuardingFaults(run)) return result;
  auto report = [&] { onFault(); };
  detail::RunGuardingFaults(report);
  return onFailure;
}

// For entry points without a result.
template <class Body>
void GuardVoidEntry(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}

}  // namespace contract
