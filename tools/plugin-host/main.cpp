// plugin-host: the stand-in host. Loads one plug-in module, checks its entry points and drives one
// session in the host's calling order. Exit status: 0 the session ran (and Execute returned 1), 1 Execute
// returned 0, 2 a bad command line or a module that cannot be loaded or lacks entry points.
// `plugin-host validate` checks plug-ins against the contract instead (validate.h).
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_answers.h"
#include "platform/dialog_driver.h"
#include "hostlib/standin.h"
#include "options.h"
#include "platform/path.h"
#include "platform/standin_services.h"
#include "platform/system.h"
#include "platform/text.h"
#include "plugin_module.h"
#include "report.h"
#include "session.h"
#include "validate.h"

namespace {

int Refuse(const std::string& why) {
  std::fprintf(stderr, "plugin-host: %s\n", why.c_str());
  return 2;
}

void Note(const char* what) { std::fprintf(stderr, "plugin-host: note: %s\n", what); }

// Sets up what the stand-in libraries and the platform layer report, before the module is loaded.
void PrepareHost(const plugin_host::HostOptions& options) {
  if (options.registry && !platform::UseRegistryFile(platform::CommandLineText(options.registry->c_str())))
    Note("--registry is ignored here: this build reads the real registry");
  plugin_host::SetDialogAnswers(options);
  const std::u16string renderDir = options.renderDir ? platform::CommandLineText(options.renderDir->c_str()) : u"";
  RuskaneStandInSetRenderPath(options.renderDir ? renderDir.c_str() : nullptr);
  const std::u16string appDir = options.appDir ? platform::CommandLineText(options.appDir->c_str()) : u"";
  CorvanaStandInSetAppDirectory(options.appDir ? appDir.c_str() : nullptr);
}

int Run(const std::vector<std::string>& arguments) {
  if (!arguments.empty() && (arguments[0] == "validate" || arguments[0] == plugin_host::kValidateChildCommand)) {
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    return arguments[0] == "validate" ? plugin_host::RunValidate(rest) : plugin_host::RunValidateChild(rest);
  }
  const plugin_host::ParsedOptions parsed = plugin_host::ParseOptions(arguments);
  if (parsed.help) {
    std::fputs(plugin_host::UsageText(), stdout);
    return 0;
  }
  if (!parsed.options) return Refuse(parsed.error + " (plugin-host --help for usage)");
  const plugin_host::HostOptions& options = *parsed.options;
  PrepareHost(options);

  const std::u16string given = platform::CommandLineText(options.module.c_str());
  const std::u16string modulePath = platform::RealSystem().files.FullPath(given).value_or(given);
  std::string error;
  plugin_host::PluginModule plugin = plugin_host::LoadPlugin(modulePath, error);
  if (plugin.module == nullptr) return Refuse("cannot load module " + options.module + ": " + error);
  if (!plugin.missing.empty()) {
    std::string missing;
    for (const auto& name : plugin.missing) missing += (missing.empty() ? "" : ", ") + name;
    plugin_host::UnloadPlugin(plugin);
    return Refuse("module " + options.module + " lacks entry points: " + missing);
  }

  auto dialogDriver = platform::DriveDialogs(plugin_host::DialogAnswers());
  plugin_host::SessionResult result =
      plugin_host::RunSession(options, plugin.entry, platform::DriveAndDirectory(modulePath));
  dialogDriver.reset();
  result.exported = plugin.exported;
  plugin_host::UnloadPlugin(plugin);

  const std::string shownPath = platform::Utf16ToUtf8(modulePath);
  const std::string report = options.json ? plugin_host::JsonReport(options, shownPath, result)
                                          : plugin_host::TextReport(options, shownPath, result);
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);
  return result.execute && *result.execute == 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    return Refuse(std::string("failed: ") + e.what());
  } catch (...) {
    return Refuse("failed");
  }
}
