#pragma once
// How long the hand-off waits for the encoder, and how often it retries. All times are in milliseconds
// of the platform's tick count.
#include <cstdint>

namespace encoder {

inline constexpr std::uint32_t kIdleWaitMs = 60000;            // a started encoder becoming idle for input
inline constexpr std::uint32_t kMainWindowSearchMs = 60000;     // looked for again at once, no pause
inline constexpr std::uint32_t kDocumentWindowSearchMs = 60000;  // one budget for the MDI client and the document
inline constexpr std::uint32_t kDocumentLookPauseMs = 1000;
inline constexpr int kCursorAttempts = 5;
inline constexpr std::uint32_t kFailedAttemptPauseMs = 100;
inline constexpr int kDragCallsPerAttempt = 5;
inline constexpr std::uint32_t kReadyWaitMs = 60000;            // per object, queried again at once

// Milliseconds since `start`, correct across the tick count's wrap.
inline std::uint32_t ElapsedSince(std::uint32_t now, std::uint32_t start) { return now - start; }

}  // namespace encoder
