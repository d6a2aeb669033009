#pragma once
// Countdown faults: the real files and the real profile store over the real profile file calls, where
// every operation of either counts, and the Nth one fails as the platform reports a failure (nothing
// found, nothing read, nothing written, the file left as it was). `persistent` also fails every write
// after the Nth, as a disk that has turned read-only or full. A count of 0 fails nothing: a clean run that counts.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"
#include "platform/system.h"
#include "platform/text_codec.h"
#include "profile_store.h"

namespace vorlane::test {

struct Countdown {
  std::uint64_t operations = 0;
  std::uint64_t failAt = 0;
  bool persistent = false;
  std::uint64_t failed = 0;

  std::vector<std::string> log;  // when `logging`: each operation and the file it touched
  bool logging = false;

  bool Fails(const char* what, std::u16string_view path, bool writes = false) {
    ++operations;
    if (logging) log.push_back(std::to_string(operations) + " " + what + " " + platform::Utf16ToUtf8(path));
    const bool fails = failAt != 0 && (operations == failAt || (persistent && writes && operations > failAt));
    if (fails) ++failed;
    return fails;
  }
};

class CountdownFiles final : public platform::Files {
 public:
  explicit CountdownFiles(Countdown& countdown, platform::Files& real = platform::RealSystem().files)
      : countdown_(countdown), real_(real) {}

  std::vector<platform::FileEntry> Find(std::u16string_view pattern) override {
    if (countdown_.Fails("Find", pattern)) return {};
    return real_.Find(pattern);
  }
  std::optional<platform::FileEntry> FindFirst(std::u16string_view pattern) override {
    if (countdown_.Fails("FindFirst", pattern)) return std::nullopt;
    return real_.FindFirst(pattern);
  }
  std::optional<platform::FileEntry> Attributes(std::u16string_view path) override {
    if (countdown_.Fails("Attributes", path)) return std::nullopt;
    return real_.Attributes(path);
  }
  std::optional<std::u16string> FullPath(std::u16string_view path) override {
    if (countdown_.Fails("FullPath", path)) return std::nullopt;
    return real_.FullPath(path);
  }
  std::optional<std::u16string> ShortPath(std::u16string_view path) override {
    if (countdown_.Fails("ShortPath", path)) return std::nullopt;
    return real_.ShortPath(path);
  }
  bool Remove(std::u16string_view path) override { return !countdown_.Fails("Remove", path, true) && real_.Remove(path); }
  std::u16string ModulePath(void* module) override { return real_.ModulePath(module); }
  std::optional<std::string> ReadBytes(std::u16string_view path, std::size_t maxBytes) override {
    if (countdown_.Fails("ReadBytes", path)) return std::nullopt;
    return real_.ReadBytes(path, maxBytes);
  }
  std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view path, std::size_t maxBytes) override {
    if (countdown_.Fails("ReadBytesDenyingWrite", path)) return std::nullopt;
    return real_.ReadBytesDenyingWrite(path, maxBytes);
  }
  // A replacing write that fails part-way has already emptied the file.
  bool WriteBytes(std::u16string_view path, std::string_view bytes) override {
    if (countdown_.Fails("WriteBytes", path, true)) {
      real_.WriteBytes(path, {});
      return false;
    }
    return real_.WriteBytes(path, bytes);
  }
  bool AppendBytes(std::u16string_view path, std::string_view bytes) override {
    return !countdown_.Fails("AppendBytes", path, true) && real_.AppendBytes(path, bytes);
  }

 private:
  Countdown& countdown_;
  platform::Files& real_;
};

// The profile store's file calls. A failing stamp reads as a file that cannot be examined, a failing read
// as one that cannot be reached.
class CountdownProfileFiles final : public platform::ProfileFileAccess {
 public:
  explicit CountdownProfileFiles(Countdown& countdown) : countdown_(countdown) {}

  std::optional<platform::ProfileStamp> Stamp(std::u16string_view path) override {
    if (countdown_.Fails("Stamp", path)) return std::nullopt;
    return real_.Stamp(path);
  }
  platform::ProfileFile Read(std::u16string_view path) override {
    if (countdown_.Fails("Read", path)) return {};
    return real_.Read(path);
  }
  bool CanWrite(std::u16string_view path) override { return !countdown_.Fails("CanWrite", path, true) && real_.CanWrite(path); }
  bool Replace(std::u16string_view path, std::string_view bytes) override {
    return !countdown_.Fails("Replace", path, true) && real_.Replace(path, bytes);
  }
  bool Append(std::u16string_view path, std::string_view bytes) override {
    return !countdown_.Fails("Append", path, true) && real_.Append(path, bytes);
  }

 private:
  Countdown& countdown_;
  platform::ProfileFileAccess& real_ = platform::NativeProfileFiles();
};

// Both, counted together: what a run's platform::System takes as its files and profile. The store is a
// fresh one, so that no state of an earlier run spares a call.
struct CountdownPlatform {
  Countdown countdown;
  CountdownFiles files{countdown};
  CountdownProfileFiles profileFiles{countdown};
  platform::ProfileStore profile{profileFiles, platform::NativeTextCodec()};
};

}  // namespace vorlane::test
