#include "plugin_module.h"

#include "platform/module_loader.h"
#include "platform/path.h"
#include "platform/text.h"

namespace vorlane::test {

PluginModule::PluginModule(const std::u16string& path) {
  platform::ModuleLoad load = platform::LoadPluginModule(path);
  module_ = load.module;
  error_ = std::move(load.error);
  if (module_ == nullptr) return;
  entry_ = contract::BindEntryPoints(module_);
}

PluginModule::~PluginModule() {
  if (module_ != nullptr) platform::UnloadPluginModule(module_);
}

std::u16string BuiltModulePath(const char* fileName) {
  return platform::NativeSeparators(platform::Utf8ToUtf16(VORLANE_BIN_DIR)) + platform::PathSeparator() +
         platform::Utf8ToUtf16(fileName);
}

}  // namespace vorlane::test
