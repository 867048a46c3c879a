// The mode file "Velora.cfg" in the install folder and the start-up notice.
#pragma once
#include <string>

#include "platform/system.h"

namespace vl {

extern const char kModeFileName[];  // "Velora.cfg"

// The mode file is opened by its bare name in the install folder, which each
// of these makes the current directory first; with no folder (empty text:
// none is stored, and the user has been told) it is the current directory's.

// Records `activeConfig` in the mode file (attributes cleared, written,
// read-only + hidden + system set again). False when the file could not be
// written.
bool WriteModeFile(IFiles& files, const std::string& installFolder,
                   const std::string& activeConfig);
// Puts the first line of the mode file into `activeConfig`, when the file
// opens; otherwise leaves it as it is.
void ReadModeFile(IFiles& files, const std::string& installFolder, std::string* activeConfig);
// Trims `activeConfig` and, when it is not empty, shows "   Your current
// active configuration is:..." with no owner, captioned `productName`.
void ShowStartupNotice(IMessageBoxes& boxes, const std::string& productName,
                       std::string* activeConfig);

}  // namespace vl
