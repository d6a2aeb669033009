#pragma once
// A plug-in module loaded as the host loads it, with its entry points bound by their exported symbols.
#include <cstdint>
#include <string>

#include "contract/entry_point_table.h"

namespace vorlane::test {

using PluginEntryPoints = contract::EntryPointTable;


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
