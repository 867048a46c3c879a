// The Registry Backup command.
#pragma once
#include "platform/system.h"

namespace vl {
struct AppState;

// `frame` owns the message boxes. The wait cursor is the caller's.
void RunRegistryBackup(AppState& app, WindowHandle frame);

}  // namespace vl
