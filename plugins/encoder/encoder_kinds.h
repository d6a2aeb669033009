#pragma once
// The batch encoders Carvesh knows, one row each: where the registry names its executable, the windows
// it shows, and the way it takes an export. Discovery, the window search, the payloads and the hand-off
// all read these rows, so that a kind is described in one place.
#include <cstdint>
#include <span>
#include <string_view>

namespace encoder {

enum class EncoderKind : std::int32_t {
  None = 0,
  MediaCleanerEz = 1,
  MediaCleanerPro = 2,
  Cleaner5Ez = 3,
  Cleaner5 = 4,
};

enum class RegistryRouteKind {
  // The key's "UninstallString" names a file in the encoder's folder; the executable is `executableName`
  // there.
  UninstallEntry,
  // The key's default value is the executable.
  AppPath,
};

struct RegistryRoute {
  RegistryRouteKind kind;
  std::u16string_view key;
  std::u16string_view executableName;  // UninstallEntry only; begins with a separator
};

enum class Delivery {
  // QN.TXT beside the executable, then every file through the automation object.
  BatchFileAndAutomation,
  // Started with the files on its command line; when it is running already, dropped on like StartThenDrop.
  CommandLineWhenStarted,
  // Started with an empty command line when not running, then the files dropped on its batch window.
  StartThenDrop,
};

struct EncoderKindFacts {
  EncoderKind kind;
  RegistryRoute route;
  std::u16string_view mainWindowTitle;      // of the main window of class "MainClassW"
  std::u16string_view documentWindowClass;  // of the batch document window in its MDI client
  Delivery delivery;
};

// Every kind but None, in the order discovery tries them.
std::span<const EncoderKindFacts> EncoderKinds();

// The row of `kind`; nullptr for EncoderKind::None and any value without a row.
const EncoderKindFacts* FactsOf(EncoderKind kind);

}  // namespace encoder
