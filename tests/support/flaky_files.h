#pragma once
// Files for fault tests: everything goes to the real files, except a file that will not go away (nor,
// when `stuck`, be emptied), files that vanish between a listing and the attribute read, files another
// program is still writing (plain reads see them, reads that deny write sharing fail, as on Windows), a
// hook that runs at the first attribute read of a file other than the clip list and the settings files,
// and, when `evenSeconds`, last-write times as a FAT volume keeps them (rounded up to even seconds).
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"

namespace vorlane::test {

class FlakyFiles final : public platform::Files {
 public:
  explicit FlakyFiles(platform::Files& real = platform::RealSystem().files) : real_(real) {}
  std::u16string undeletable;
  std::u16string vanishing;  // file name
  std::set<std::u16string> beingWritten;  // full paths, compared as this build compares file names
  bool stuck = false;
  bool evenSeconds = false;
  std::function<void()> duringScan;

  std::vector<platform::FileEntry> Find(std::u16string_view pattern) override { return real_.Find(pattern); }
  std::optional<platform::FileEntry> FindFirst(std::u16string_view pattern) override {
    if (!vanishing.empty() && platform::FileNamePart(pattern) == vanishing) return std::nullopt;
    return real_.FindFirst(pattern);
  }
  std::optional<platform::FileEntry> Attributes(std::u16string_view path) override {
    if (!vanishing.empty() && platform::FileNamePart(path) == vanishing) return std::nullopt;
    const std::u16string name = platform::FileNamePart(path);
    if (duringScan && name != u"vorlane.ini" && name != u"fennick.ini" && name != u"moltrin.ini") {
      std::exchange(duringScan, nullptr)();
    }
    std::optional<platform::FileEntry> entry = real_.Attributes(path);
    constexpr platform::FileTime kTwoSeconds = 20'000'000;
    if (entry && evenSeconds) entry->lastWriteTime = (entry->lastWriteTime + kTwoSeconds - 1) / kTwoSeconds * kTwoSeconds;
    return entry;
  }
  std::optional<std::u16string> FullPath(std::u16string_view path) override { return real_.FullPath(path); }
  std::optional<std::u16string> ShortPath(std::u16string_view path) override { return real_.ShortPath(path); }
  bool Remove(std::u16string_view path) override { return path != undeletable && real_.Remove(path); }
  std::u16string ModulePath(void* module) override { return real_.ModulePath(module); }
  std::optional<std::string> ReadBytes(std::u16string_view path, std::size_t maxBytes) override {
    return real_.ReadBytes(path, maxBytes);
  }
  std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view path, std::size_t maxBytes) override {
    if (Written(path)) return std::nullopt;
    return real_.ReadBytesDenyingWrite(path, maxBytes);
  }
  bool WriteBytes(std::u16string_view path, std::string_view bytes) override {
    return !(stuck && path == undeletable) && real_.WriteBytes(path, bytes);
  }
  bool AppendBytes(std::u16string_view path, std::string_view bytes) override { return real_.AppendBytes(path, bytes); }

 private:
  bool Written(std::u16string_view path) const {
    const auto named = [](std::u16string_view text) {
      return platform::FileNamesIgnoreCase() ? platform::ToLower(text) : std::u16string(text);
    };
    for (const std::u16string& held : beingWritten) {
      if (named(held) == named(path)) return true;
    }
    return false;
  }

  platform::Files& real_;
};

}  // namespace vorlane::test
