#include "contract/entry_point_table.h"

#include <algorithm>

#include "platform/module_loader.h"

namespace contract {
namespace {

template <typename Function>
void Bind(void* module, std::vector<std::string>* exported, Function& function, const char* name, int argumentBytes) {
  const std::string symbol = platform::EntryPointSymbol(name, argumentBytes);
  void* address = platform::FindModuleSymbol(module, symbol.c_str());
  if (address == nullptr) return;
  function = reinterpret_cast<Function>(address);
  if (exported != nullptr && std::find(exported->begin(), exported->end(), symbol) == exported->end())
    exported->push_back(symbol);
}

}  // namespace

EntryPointTable BindEntryPoints(void* module, std::vector<std::string>* exported) {
  EntryPointTable e;
  Bind(module, exported, e.startup, "Startup", 0);
  Bind(module, exported, e.shutdown, "Shutdown", 0);
  Bind(module, exported, e.getMenuName, "GetMenuName", 12);
  Bind(module, exported, e.getFlags, "GetFlags", 0);
  Bind(module, exported, e.execute, "Execute", 4);
  Bind(module, exported, e.getComment, "GetComment", 8);
  Bind(module, exported, e.getDestPath3, "GetDestPath", 12);
  Bind(module, exported, e.getDestPath2, "GetDestPath", 8);
  return e;
}

}  // namespace contract
