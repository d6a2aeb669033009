#pragma once
// The text limits of the host's fixed buffers and the largest files the platform reads, in one place
// (docs/limits.md). A limit is applied where it cuts: with FitsLimit where text that does not fit is
// refused, with CutToLimit where it is shortened.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A wide path, value or name buffer: 260 code units with the terminator.
inline constexpr std::size_t kWideBufferChars = 260;
// The longest text such a buffer holds.
inline constexpr std::size_t kMaxTextChars = kWideBufferChars - 1;
// The longest path the file functions accept.
inline constexpr std::size_t kMaxPathChars = kMaxTextChars;
// A registry value read into a wide buffer of 260 characters, in bytes with the terminator.
inline constexpr std::size_t kRegistryValueBytes = 2 * kWideBufferChars;

// The largest profile (ini) file that is read: a parsed file takes many times its size in memory, and
// no settings file or clip list comes near this. A larger one reads as defaults and takes no write.
inline constexpr std::uint64_t kMaxProfileFileBytes = std::uint64_t{64} << 20;
// The largest registry export file the POSIX build reads; a larger one holds no key.
inline constexpr std::uint64_t kMaxRegistryFileBytes = std::uint64_t{16} << 20;

inline bool FitsLimit(std::u16string_view text, std::size_t limit) { return text.size() <= limit; }

// The first `limit` code units of `text`.
inline std::u16string CutToLimit(std::u16string_view text, std::size_t limit) {
  return std::u16string(text.substr(0, limit));
}

// A path the file functions accept: not empty and within kMaxPathChars.
inline bool WithinPathLimit(std::u16string_view path) { return !path.empty() && FitsLimit(path, kMaxPathChars); }

}  // namespace platform
