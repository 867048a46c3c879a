// The install folder, known only through the settings store.
#pragma once
#include <string>

#include "platform/system.h"

namespace vl {
class SettingsStore;

// The "Folder" value of the "Install" subkey with exactly one trailing
// backslash, or empty text after the Severe Error message, which names the
// program by `productName` and has no owner.
std::string GetInstallFolder(SettingsStore& settings, IMessageBoxes& boxes,
                             const std::string& productName);

}  // namespace vl
