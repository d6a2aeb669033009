#include "find_encoder.h"

#include <array>
#include <optional>
#include <string_view>

#include "contract/export_description_paths.h"
#include "platform/limits.h"
#include "platform/path.h"

namespace encoder {
namespace {

struct UninstallRoute {
  EncoderKind kind;
  std::u16string_view key;
  std::u16string_view executableName;
};

struct AppPathRoute {
  EncoderKind kind;
  std::u16string_view key;
};

constexpr std::array<UninstallRoute, 2> kUninstallRoutes{{
    {EncoderKind::Cleaner5, u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5",
     u"\\cleaner 5.exe"},
    {EncoderKind::Cleaner5Ez, u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5 EZ",
     u"\\cleanerEZ5.exe"},
}};

constexpr std::array<AppPathRoute, 2> kAppPathRoutes{{
    {EncoderKind::MediaCleanerPro, u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\MediaCleanerPro.EXE"},
    {EncoderKind::MediaCleanerEz, u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\MediaCleanerEZ.EXE"},
}};

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
std::optional<std::u16string> ByUninstallEntry(platform::System& system, const UninstallRoute& route) {
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

std::optional<std::u16string> ByAppPath(platform::System& system, const AppPathRoute& route) {
  auto value = ReadValue(system.registry, route.key, std::nullopt);
  if (!value || !IsExecutable(system.files, *value)) return std::nullopt;
  return value;
}

}  // namespace

EncoderInfo FindEncoder(platform::System& system) {
  for (const UninstallRoute& route : kUninstallRoutes) {
    if (auto executable = ByUninstallEntry(system, route)) return {route.kind, std::move(*executable)};
  }
  for (const AppPathRoute& route : kAppPathRoutes) {
    if (auto executable = ByAppPath(system, route)) return {route.kind, std::move(*executable)};
  }
  return {};
}

}  // namespace encoder
