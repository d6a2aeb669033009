#pragma once
// The one frame around every entry point's body: no exception leaves a plug-in.
#include <utility>

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

// For entry points without a result.
template <class Body>
void GuardVoidEntry(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}

}  // namespace contract
