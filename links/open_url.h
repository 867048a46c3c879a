// Opening a web or mail address through the shell, with a fallback of our
// own through the registered web-page opener, and the texts of a failed open.
#pragma once
#include <cstdint>
#include <string>

#include "platform/system.h"

namespace vl {
class IRegistry;

// Size limit of a key's default value as QueryKeyDefault reads it.
constexpr uint32_t kKeyDefaultLimit = 260;

// Opens root\subkey for querying and copies its default value (at most
// kKeyDefaultLimit bytes; empty text when it cannot be read) into `out`.
// Returns the status of the open; `out` is untouched when the open fails.
long QueryKeyDefault(IRegistry& reg, RegKey root, const std::string& subkey, std::string* out);

// The registered opener's command line with `url` in place of its "%1"
// placeholder (quoted or bare) and whatever followed it dropped; without a
// placeholder the url is appended after a blank.
std::string FallbackCommandLine(const std::string& command, const std::string& url);

// ShellExecute "open" of the url; when that fails, the .htm opener through
// WinExec. The result is above 32 on success.
intptr_t OpenUrl(IShell& shell, IRegistry& reg, const std::string& url, int showCmd);

// The message of a failed open for a ShellExecute or WinExec result code.
std::string OpenErrorText(int code);
// The caption of that message: the application title.
extern const char kAppTitle[];  // "VELORA"
// Shows "Unable to open hyperlink:..." with the exclamation icon.
void ReportOpenError(IMessageBoxes& boxes, int code, WindowHandle owner);
// What a link does when its address could not be opened: the exclamation
// beep, then that message.
void ReportFailedOpen(IMessageBoxes& boxes, int code, WindowHandle owner);

}  // namespace vl
