#pragma once
// A plug-in module loaded as the host loads it, with its entry points bound by their exported symbols.
#include <cstdint>
#include <string>

#include "platform/abi.h"

namespace vorlane::test {

struct PluginEntryPoints {
  std::int32_t(VORLANE_CALL* startup)() = nullptr;
  void(VORLANE_CALL* shutdown)() = nullptr;
  std::int32_t(VORLANE_CALL* getMenuName)(char*, std::int32_t, std::int32_t*) = nullptr;
  std::uint32_t(VORLANE_CALL* getFlags)() = nullptr;
  std::int32_t(VORLANE_CALL* execute)(const char*) = nullptr;
  std::int32_t(VORLANE_CALL* getComment)(char*, std::int32_t) = nullptr;
  std::int32_t(VORLANE_CALL* getDestPath3)(std::int32_t, std::int32_t, std::int32_t) = nullptr;  // players
  std::int32_t(VORLANE_CALL* getDestPath2)(std::int32_t, std::int32_t) = nullptr;                // encoder
};

class PluginModule {
 public:
  explicit PluginModule(const std::u16string& path);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  bool loaded() const { return module_ != nullptr; }
  const std::string& error() const { return error_; }
  const PluginEntryPoints& entry() const { return entry_; }

 private:
  void* module_ = nullptr;
  std::string error_;
  PluginEntryPoints entry_;
};

// The built module `fileName` in the build's output folder.
std::u16string BuiltModulePath(const char* fileName);

}  // namespace vorlane::test
