#pragma once
// The real files, except that some are being written by another program (a recorder still filling a
// media file): plain reads still see them, reads that deny write sharing fail, as on Windows. For runs
// that must treat such a file as not there on every build.
#include <set>
#include <string>

#include "platform/files.h"
#include "platform/os_rules.h"
#include "platform/system.h"
#include "platform/text.h"

namespace vorlane::test {

class FilesBeingWritten final : public platform::Files {
 public:
  // Full paths, compared as this build compares file names.
  std::set<std::u16string> beingWritten;

  std::vector<platform::FileEntry> Find(std::u16string_view p) override { return real_.Find(p); }
  std::optional<platform::FileEntry> FindFirst(std::u16string_view p) override { return real_.FindFirst(p); }
  std::optional<platform::FileEntry> Attributes(std::u16string_view p) override { return real_.Attributes(p); }
  std::optional<std::u16string> FullPath(std::u16string_view p) override { return real_.FullPath(p); }
  std::optional<std::u16string> ShortPath(std::u16string_view p) override { return real_.ShortPath(p); }
  bool Remove(std::u16string_view p) override { return real_.Remove(p); }
  std::u16string ModulePath(void* m) override { return real_.ModulePath(m); }
  std::optional<std::string> ReadBytes(std::u16string_view p, std::size_t n) override { return real_.ReadBytes(p, n); }
  std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view p, std::size_t n) override {
    if (Written(p)) return std::nullopt;
    return real_.ReadBytesDenyingWrite(p, n);
  }
  bool WriteBytes(std::u16string_view p, std::string_view b) override { return real_.WriteBytes(p, b); }
  bool AppendBytes(std::u16string_view p, std::string_view b) override { return real_.AppendBytes(p, b); }

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

  platform::Files& real_ = platform::RealSystem().files;
};

}  // namespace vorlane::test
