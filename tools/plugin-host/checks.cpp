#include "checks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "child_process.h"
#include "clip_list_reader.h"
#include "dialog_answers.h"
#include "platform/module_loader.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "plugin_module.h"

namespace plugin_host {
namespace {

constexpr std::uint32_t kReceiveBit = 0x08000000u;

struct CheckFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%02X", value);
  return text;
}

// One load of the module for one check: unloaded on every way out.
class Session {
 public:
  explicit Session(const std::u16string& path) {
    std::string error;
    plugin_ = LoadPlugin(path, error);
    if (plugin_.module == nullptr) throw CheckFailure("cannot load the module: " + error);
  }
  ~Session() { UnloadPlugin(plugin_); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const PluginModule& Module() const { return plugin_; }

  // The bound entry point, or a failure naming the one the module lacks.
  template <typename Function>
  Function Need(Function EntryPoints::*member, const char* name) const {
    Function function = plugin_.entry.*member;
    if (function == nullptr) throw CheckFailure(std::string("the module lacks ") + name);
    return function;
  }

 private:
  PluginModule plugin_;
};

// The host's name buffer, with spare bytes after it: a plug-in that writes past the size (which
// text-copies reports) must not break the checks that only list it.
constexpr std::int32_t kNameSize = 256;
std::int32_t ListName(const Session& session) {
  std::string buffer(kNameSize + 64, '\0');
  std::int32_t available = 0;
  return session.Need(&EntryPoints::getMenuName, "GetMenuName")(buffer.data(), kNameSize, &available);
}

// What the host does before it executes a plug-in.
void StartAndList(const Session& session, CheckContext& context) {
  context.step("Startup");
  session.Need(&EntryPoints::startup, "Startup")();
  context.step("GetMenuName");
  ListName(session);
}

PluginKind KindOf(const EntryPoints& entry) {
  if (entry.getComment != nullptr) return PluginKind::Receive;
  if (entry.getDestPath3 != nullptr || entry.getDestPath2 != nullptr) return PluginKind::Send;
  return PluginKind::Unknown;
}

std::string Utf8(const std::u16string& text) { return platform::Utf16ToUtf8(text); }

std::u16string InWorkDir(const CheckContext& context, std::u16string_view name) {
  std::u16string path = context.workDir;
  if (!platform::EndsWithSeparator(path)) path.push_back(platform::PathSeparator());
  return path + std::u16string(name);
}

CheckOutcome CheckLoad(CheckContext& context) {
  Session session(context.module);
  context.kind = KindOf(session.Module().entry);
  if (context.kind == PluginKind::Unknown)
    return {CheckResult::Fail, "exports neither GetComment nor GetDestPath: no kind of plug-in"};
  return {CheckResult::Pass, std::string(KindName(context.kind)) + " plug-in"};
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names) out += (out.empty() ? "" : ", ") + name;
  return out;
}

CheckOutcome CheckExports(CheckContext& context) {
  Session session(context.module);
  const auto exported = ExportedNames(session.Module().module, context.module);
  if (!exported) throw CheckFailure("the module's export table cannot be read");
  std::vector<std::string> expected;
  for (const auto& [name, bytes] : std::initializer_list<std::pair<const char*, int>>{
           {"Startup", 0}, {"Shutdown", 0}, {"GetMenuName", 12}, {"GetFlags", 0}, {"Execute", 4}})
    expected.push_back(platform::EntryPointSymbol(name, bytes));
  if (context.kind == PluginKind::Receive) {
    expected.push_back(platform::EntryPointSymbol("GetComment", 8));
  } else {
    // Two arguments or three: the two send families differ, and a module has one of them.
    const std::string three = platform::EntryPointSymbol("GetDestPath", 12);
    const bool hasThree = std::find(exported->begin(), exported->end(), three) != exported->end();
    expected.push_back(hasThree ? three : platform::EntryPointSymbol("GetDestPath", 8));
  }
  std::vector<std::string> missing, extra;
  for (const auto& name : expected)
    if (std::find(exported->begin(), exported->end(), name) == exported->end()) missing.push_back(name);
  for (const auto& name : *exported)
    if (std::find(expected.begin(), expected.end(), name) == expected.end()) extra.push_back(name);
  std::string why;
  if (!missing.empty()) why = "lacks " + JoinNames(missing);
  if (!extra.empty()) why += (why.empty() ? "" : "; ") + std::string("also exports ") + JoinNames(extra);
  if (!why.empty()) return {CheckResult::Fail, why};
  return {CheckResult::Pass, JoinNames(expected)};
}

CheckOutcome CheckFlags(CheckContext& context) {
  Session session(context.module);
  const auto startup = session.Need(&EntryPoints::startup, "Startup");
  const auto getFlags = session.Need(&EntryPoints::getFlags, "GetFlags");
  context.step("Startup");
  startup();
  context.step("GetFlags");
  const std::uint32_t flags = getFlags();
  const std::uint32_t again = getFlags();
  session.Need(&EntryPoints::shutdown, "Shutdown")();
  char hex[16];
  std::snprintf(hex, sizeof(hex), "0x%08X", flags);
  if (flags != again) return {CheckResult::Fail, std::string("GetFlags gave ") + hex + ", then another value"};
  const bool receiveBit = (flags & kReceiveBit) != 0;
  if (receiveBit != (context.kind == PluginKind::Receive))
    return {CheckResult::Fail, std::string("flags word ") + hex + (receiveBit ? " marks a receive plug-in" : " marks a send plug-in") +
                                   ", but the module exports " + (receiveBit ? "GetDestPath" : "GetComment")};
  return {CheckResult::Pass, hex};
}

CheckOutcome CheckCallOrder(CheckContext& context) {
  Session session(context.module);
  const EntryPoints& e = session.Module().entry;
  context.step("Startup");
  session.Need(&EntryPoints::startup, "Startup")();
  context.step("GetMenuName");
  const std::int32_t menu = ListName(session);
  context.step("GetFlags");
  session.Need(&EntryPoints::getFlags, "GetFlags")();
  std::string why;
  if (menu != 1) why = "GetMenuName returned " + std::to_string(menu) + ", not 1";
  if (e.getComment != nullptr) {
    context.step("GetComment");
    std::string buffer(kNameSize + 64, '\0');
    if (const std::int32_t comment = e.getComment(buffer.data(), kNameSize); comment != 1 && why.empty())
      why = "GetComment returned " + std::to_string(comment) + ", not 1";
  } else if (e.getDestPath3 != nullptr) {
    context.step("GetDestPath");
    e.getDestPath3(0, 0, 0);
  } else if (e.getDestPath2 != nullptr) {
    context.step("GetDestPath");
    e.getDestPath2(0, 0);
  }
  context.step("Shutdown");
  session.Need(&EntryPoints::shutdown, "Shutdown")();
  if (!why.empty()) return {CheckResult::Fail, why};
  return {CheckResult::Pass, ""};
}

using TextCopy = std::function<std::int32_t(char*, std::int32_t)>;

// Every size from -1 to the text's length + 2, in an order the seed gives, each into a buffer with spare
// guard bytes after it: a byte past the size must stay the guard, and a byte within it the guard, the
// text's byte or a terminator.
std::optional<std::string> CopyFault(const char* name, const TextCopy& copy, std::mt19937& random) {
  constexpr std::size_t kProbe = 4096, kSpare = 64;
  std::string probe(kProbe + kSpare, '\xCC');
  copy(probe.data(), static_cast<std::int32_t>(kProbe));
  const std::size_t length = probe.find('\0');
  if (length >= kProbe) return std::string(name) + " wrote no terminator within 4096 bytes";
  const std::string text = probe.substr(0, length);
  unsigned char guard = 0;
  do guard = static_cast<unsigned char>(std::uniform_int_distribution<int>(1, 255)(random));
  while (text.find(static_cast<char>(guard)) != std::string::npos);

  std::vector<std::int32_t> sizes{-1};
  for (std::int32_t size = 0; size <= static_cast<std::int32_t>(length) + 2; ++size) sizes.push_back(size);
  std::shuffle(sizes.begin(), sizes.end(), random);
  for (const std::int32_t size : sizes) {
    const std::size_t given = size > 0 ? static_cast<std::size_t>(size) : 0;
    std::string buffer(given + kSpare, static_cast<char>(guard));
    const std::int32_t result = copy(buffer.data(), size);
    const std::string at = std::string(name) + " at size " + std::to_string(size);
    if (result != 1) return at + " returned " + std::to_string(result) + ", not 1";
    for (std::size_t i = 0; i < buffer.size(); ++i) {
      const auto byte = static_cast<unsigned char>(buffer[i]);
      if (byte == guard) continue;
      if (i >= given) return at + " wrote past the size: byte " + std::to_string(i) + " became " + Hex(byte);
      const bool fits = i < length ? buffer[i] == text[i] : byte == 0;
      if (!fits)
        return at + " wrote " + Hex(byte) + " at byte " + std::to_string(i) + ", neither the text nor a terminator";
    }
  }
  return std::nullopt;
}

CheckOutcome CheckTextCopies(CheckContext& context) {
  Session session(context.module);
  std::mt19937 random(context.seed);
  context.step("Startup");
  session.Need(&EntryPoints::startup, "Startup")();
  const auto getMenuName = session.Need(&EntryPoints::getMenuName, "GetMenuName");
  context.step("GetMenuName");
  std::int32_t available = 0;
  auto fault = CopyFault("GetMenuName", [&](char* buffer, std::int32_t size) {
    return getMenuName(buffer, size, &available);
  }, random);
  if (!fault && context.kind == PluginKind::Receive) {
    const auto getComment = session.Need(&EntryPoints::getComment, "GetComment");
    context.step("GetComment");
    fault = CopyFault("GetComment", getComment, random);
  }
  context.step("Shutdown");
  session.Need(&EntryPoints::shutdown, "Shutdown")();
  if (fault) return {CheckResult::Fail, *fault};
  return {CheckResult::Pass, ""};
}

// The answers of the dialogs that a receive plug-in opens: a folder with one media file for a folder
// browser; a file dialog is cancelled. Without a folder every dialog is cancelled.
void AnswerDialogs(const std::optional<std::u16string>& folder) {
  HostOptions answers;
  if (folder) answers.folder = Utf8(*folder);
  SetDialogAnswers(answers);
}

std::string ExecuteText(const CheckContext& context) {
  // A receive plug-in never reads it; a send plug-in gets a description that is not there.
  return context.kind == PluginKind::Send ? Utf8(InWorkDir(context, u"no-such-export.ini")) : "";
}

CheckOutcome CheckOutOfOrder(CheckContext& context) {
  Session session(context.module);
  const auto execute = session.Need(&EntryPoints::execute, "Execute");
  const auto shutdown = session.Need(&EntryPoints::shutdown, "Shutdown");
  AnswerDialogs(std::nullopt);
  context.step("Startup");
  session.Need(&EntryPoints::startup, "Startup")();
  context.step("Execute before GetMenuName");
  const std::string text = ExecuteText(context);
  execute(text.c_str());
  context.step("GetMenuName after Execute");
  ListName(session);
  context.step("Shutdown");
  shutdown();
  context.step("Shutdown a second time");
  shutdown();
  return {CheckResult::Pass, ""};
}

CheckOutcome CheckSendDescriptions(CheckContext& context) {
  Session session(context.module);
  const auto execute = session.Need(&EntryPoints::execute, "Execute");
  const std::u16string empty = InWorkDir(context, u"empty.ini");
  platform::RealSystem().files.WriteBytes(empty, "");
  std::string longPath = Utf8(InWorkDir(context, u""));
  longPath.resize(260, 'a');
  const std::pair<const char*, std::string> cases[] = {
      {"a missing file", ExecuteText(context)},
      {"a directory", Utf8(context.workDir)},
      {"a 260-byte path", longPath},
      {"an empty path", ""},
      {"an empty description file", Utf8(empty)},
  };
  StartAndList(session, context);
  std::string why;
  for (const auto& [what, text] : cases) {
    context.step(std::string("Execute with ") + what);
    const std::int32_t result = execute(text.c_str());
    if ((result != 0 && result != 1) && why.empty())
      why = std::string("Execute with ") + what + " returned " + std::to_string(result) + ", neither 0 nor 1";
  }
  context.step("Shutdown");
  session.Need(&EntryPoints::shutdown, "Shutdown")();
  if (!why.empty()) return {CheckResult::Fail, why};
  return {CheckResult::Pass, ""};
}

CheckOutcome CheckUnreadablePath(CheckContext& context) {
  Session session(context.module);
  const auto execute = session.Need(&EntryPoints::execute, "Execute");
  StartAndList(session, context);
  // Neither null nor mapped on any of the builds' systems: the lowest pages are never readable.
  const char* unreadable = reinterpret_cast<const char*>(std::uintptr_t{16});
  context.step("Execute with an unreadable pointer");
  const std::int32_t result = execute(unreadable);
  context.step("Shutdown");
  session.Need(&EntryPoints::shutdown, "Shutdown")();
  if (result != 0 && result != 1)
    return {CheckResult::Fail, "Execute returned " + std::to_string(result) + ", neither 0 nor 1"};
  return {CheckResult::Pass, "Execute returned " + std::to_string(result)};
}

CheckOutcome CheckClipList(CheckContext& context) {
  namespace fs = std::filesystem;
  const fs::path watch = fs::path(context.workDir) / "watch";
  fs::create_directories(watch);
  for (const auto& entry : fs::directory_iterator(fs::path(context.workDir)))
    if (platform::EqualsNoCase(entry.path().filename().u16string(), u"vorlane.ini")) fs::remove(entry.path());
  {
    Session session(context.module);
    const auto execute = session.Need(&EntryPoints::execute, "Execute");
    StartAndList(session, context);
    // Twice: a plug-in that lists what is new since its last run lists the file made between the two.
    for (const char* run : {"Execute", "Execute a second time"}) {
      AnswerDialogs(watch.u16string());
      context.step(run);
      execute("");
      platform::RealSystem().files.WriteBytes((watch / "take1.mxf").u16string(), std::string(8192, 'm'));
    }
    AnswerDialogs(std::nullopt);
    context.step("Shutdown");
    session.Need(&EntryPoints::shutdown, "Shutdown")();
  }
  context.step("reading the clip list");
  const auto list = ReadClipListBeside(context.workDir);
  if (!list) return {CheckResult::Pass, "no clip list written"};
  if (const auto fault = ClipListFault(*list)) return {CheckResult::Fail, *fault};
  return {CheckResult::Pass, std::to_string(list->sections.size()) + " clips"};
}

CheckOutcome CheckLoadUnload(CheckContext& context) {
  for (int i = 1; i <= 100; ++i) {
    context.step("load " + std::to_string(i) + " of 100");
    Session session(context.module);
    session.Need(&EntryPoints::startup, "Startup")();
    session.Need(&EntryPoints::shutdown, "Shutdown")();
  }
  return {CheckResult::Pass, ""};
}

// A build whose platform layer can fail chosen calls (files, profile, registry) runs the checks above
// again through it here; no build has one yet.
CheckOutcome CheckUnderFaultingPlatform(CheckContext&) {
  return {CheckResult::Skip, "not available in this build: it has no fault-injecting platform"};
}

constexpr Check kChecks[] = {
    {"load", 1, AppliesTo::Every, false,
     "loads and unloads; its entry points make it a send or a receive plug-in", &CheckLoad},
    {"exports", 1, AppliesTo::Every, false,
     "exports exactly the entry points of its kind, under the symbols the host binds", &CheckExports},
    {"flags", 1, AppliesTo::Every, false,
     "the flags word marks a receive plug-in exactly when it exports GetComment, and stays the same", &CheckFlags},
    {"call-order", 1, AppliesTo::Every, false,
     "Startup, GetMenuName, GetFlags, GetComment or GetDestPath, Shutdown; the text calls return 1", &CheckCallOrder},
    {"text-copies", 2, AppliesTo::Every, false,
     "GetMenuName and GetComment at every size from -1 to the text's length + 2: nothing past the size",
     &CheckTextCopies},
    {"out-of-order", 2, AppliesTo::Every, false, "Execute before GetMenuName, then Shutdown twice", &CheckOutOfOrder},
    {"send-descriptions", 2, AppliesTo::Send, false,
     "Execute with a missing file, a directory, a 260-byte path, an empty path and an empty file",
     &CheckSendDescriptions},
    {"send-unreadable-path", 2, AppliesTo::Send, true, "Execute with a pointer that cannot be read",
     &CheckUnreadablePath},
    {"clip-list", 2, AppliesTo::Receive, false,
     "Execute (file dialogs cancelled, a folder with one media file chosen): the clip list reads back by the "
     "host's rules",
     &CheckClipList},
    {"load-unload", 3, AppliesTo::Every, false, "load, Startup, Shutdown and unload 100 times", &CheckLoadUnload},
    {"faulting-platform", 4, AppliesTo::Every, false, "the checks above under a platform that fails chosen calls",
     &CheckUnderFaultingPlatform},
};

}  // namespace

std::span<const Check> Checks() { return kChecks; }

std::string SkippedArgument(const std::vector<std::string>& skipped) {
  std::string argument;
  for (const std::string& name : skipped) argument += (argument.empty() ? "" : ",") + name;
  return argument.empty() ? "-" : argument;
}

std::vector<std::string> SkippedNames(std::string_view argument) {
  std::vector<std::string> names;
  if (argument == "-") return names;
  while (!argument.empty()) {
    const std::size_t comma = std::min(argument.find(','), argument.size());
    names.emplace_back(argument.substr(0, comma));
    argument.remove_prefix(std::min(comma + 1, argument.size()));
  }
  return names;
}

bool IsCheckName(std::string_view name) {
  return std::any_of(std::begin(kChecks), std::end(kChecks), [name](const Check& check) { return name == check.name; });
}

bool CheckApplies(const Check& check, PluginKind kind, const CheckSelection& selection) {
  if (check.level > selection.level || (check.raisesFault && !selection.faultChecks)) return false;
  if (std::find(selection.skipped.begin(), selection.skipped.end(), check.name) != selection.skipped.end()) return false;
  switch (check.appliesTo) {
    case AppliesTo::Every: return true;
    case AppliesTo::Send: return kind == PluginKind::Send;
    case AppliesTo::Receive: return kind == PluginKind::Receive;
  }
  return false;
}

const char* KindName(PluginKind kind) {
  switch (kind) {
    case PluginKind::Send: return "send";
    case PluginKind::Receive: return "receive";
    case PluginKind::Unknown: break;
  }
  return "unknown";
}

const char* ResultName(CheckResult result) {
  switch (result) {
    case CheckResult::Pass: return "pass";
    case CheckResult::Fail: return "fail";
    case CheckResult::Skip: return "skip";
  }
  return "";
}

}  // namespace plugin_host
