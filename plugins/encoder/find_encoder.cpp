#include "find_encoder.h"

#include <optional>
#include <string_view>

#include "contract/export_description_paths.h"
#include "platform/limits.h"
#include "platform/path.h"

namespace encoder {
namespace {

bool IsBlankOrQuote(char16_t c) { return c == u' ' || c == u'"'; }

std::optional<std::u16string> ReadValue(platform::Registry& registry, std::u16string_view key,
                                        std::optional<std::u16string_view> name) {
  const platform::RegistryValue value = registry.ReadString(key, name, platform::kRegistryValueBytes);
  if (!value.keyOpened || !value.valueRead) return std::nullopt;
  return value.text.substr(0, value.text.find(u'\0'));
}

bool IsExecutable(platform::Files& files, std::u16string_view path) {
  return platform::WithinPathLimit(path) && contract::FileExists(files, path);
}

// The uninstall string names the uninstaller and then, quoted or not, a file in the encoder's folder.
std::optional<std::u16string> ByUninstallEntry(platform::System& system, const RegistryRoute& route) {
  const auto value = ReadValue(system.registry, route.key, u"UninstallString");
  if (!value) return std::nullopt;
  const std::size_t exe = value->find(u".exe");  // exact: ".EXE" does not count
  if (exe == std::u16string::npos) return std::nullopt;
  std::u16string_view rest = std::u16string_view(*value).substr(exe + 4);
  while (!rest.empty() && IsBlankOrQuote(rest.front())) rest.remove_prefix(1);
  while (!rest.empty() && IsBlankOrQuote(rest.back())) rest.remove_suffix(1);
  std::u16string executable = contract::DirectoryOf(rest) + platform::NativeSeparators(route.executableName);
  if (!IsExecutable(system.files, executable)) return std::nullopt;
  return executable;
}

std::optional<std::u16string> ByAppPath(platform::System& system, const RegistryRoute& route) {
  auto value = ReadValue(system.registry, route.key, std::nullopt);
  if (!value || !IsExecutable(system.files, *value)) return std::nullopt;
  return value;
}

}  // namespace

EncoderInfo FindEncoder(platform::System& system) {
  for (const EncoderKindFacts& facts : EncoderKinds()) {
    const RegistryRoute& route = facts.route;
    auto executable = route.kind == RegistryRouteKind::UninstallEntry ? ByUninstallEntry(system, route)
                                                                      : ByAppPath(system, route);
    if (executable) return {facts.kind, std::move(*executable)};
  }
  return {};
}

}  // namespace encoder
