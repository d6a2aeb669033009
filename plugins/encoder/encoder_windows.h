#pragma once
// The encoder's windows on screen: its main window ("MainClassW" with the kind's title) and the batch
// document window inside its MDI client, both named by the kind's row in EncoderKinds(). Every wait goes through the platform clock.
#include <cstdint>

#include "find_encoder.h"
#include "platform/system.h"

namespace encoder {

// Looks for the kind's main window, again at once until `timeoutMs` have passed; a timeout of 0 makes
// one look. None for EncoderKind::None or when not found in time. Busy: it blocks for the whole timeout.
platform::WindowHandle FindEncoderMainWindow(platform::System& system, EncoderKind kind, std::uint32_t timeoutMs);

// Looks for the "MDIClient" child of `mainWindow`, then for the kind's document window in it, pausing
// 1000 ms between looks, within one budget of `timeoutMs` for both. None when `mainWindow` is no window,
// for EncoderKind::None, or when the budget runs out.
platform::WindowHandle FindEncoderDocumentWindow(platform::System& system, platform::WindowHandle mainWindow,
                                                 EncoderKind kind, std::uint32_t timeoutMs);

}  // namespace encoder
