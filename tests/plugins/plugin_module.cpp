#include "plugin_module.h"

#include "platform/module_loader.h"
#include "platform/path.h"
#include "platform/text.h"

namespace vorlane::test {
namespace {

template <typename Function>
void Bind(void* module, const char* name, int argumentBytes, Function& function) {
  function = reinterpret_cast<Function>(
      platform::FindModuleSymbol(module, platform::EntryPointSymbol(name, argumentBytes).c_str()));
}

}  // namespace

PluginModule::PluginModule(const std::u16string& path) {
  platform::ModuleLoad load = platform::LoadPluginModule(path);
  module_ = load.module;
  error_ = std::move(load.error);
  if (module_ == nullptr) return;
  Bind(module_, "Startup", 0, entry_.startup);
  Bind(module_, "Shutdown", 0, entry_.shutdown);
  Bind(module_, "GetMenuName", 12, entry_.getMenuName);
  Bind(module_, "GetFlags", 0, entry_.getFlags);
  Bind(module_, "Execute", 4, entry_.execute);
  Bind(module_, "GetComment", 8, entry_.getComment);
  Bind(module_, "GetDestPath", 12, entry_.getDestPath3);
  Bind(module_, "GetDestPath", 8, entry_.getDestPath2);
}

PluginModule::~PluginModule() {
  if (module_ != nullptr) platform::UnloadPluginModule(module_);
}

std::u16string BuiltModulePath(const char* fileName) {
  return platform::NativeSeparators(platform::Utf8ToUtf16(VORLANE_BIN_DIR)) + platform::PathSeparator() +
         platform::Utf8ToUtf16(fileName);
}

}  // namespace vorlane::test
