#pragma once
// Handing the export's files to Cleaner 5 through its automation object.
#include <string_view>

#include "handoff_payloads.h"
#include "platform/system.h"

namespace encoder {

// The Cleaner 5 automation object: a local server, and the interface whose entries are used.
inline constexpr std::u16string_view kCleaner5ClassId = u"{50D994EE-8834-11D3-8BBE-0000E85F332D}";
inline constexpr std::u16string_view kCleaner5InterfaceId = u"{50D994ED-8834-11D3-8BBE-0000E85F332D}";
inline constexpr int kAddFileEntry = 12;  // AddFile(BSTR path)
inline constexpr int kIsReadyEntry = 14;  // IsReady(long* ready)

// For each object in order: asks IsReady again at once until it answers non-zero (at most kReadyWaitMs
// per object), then adds the object's automation files one by one. False without an object, on any
// failing call or when the encoder is not ready in time; files added before stay added. True with no
// objects. Blocks in every call and in the busy ready wait.
bool SendByAutomation(platform::System& system, platform::AutomationObject* object, HandOffPayloads& payloads);

}  // namespace encoder
