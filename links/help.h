// Opening the help file at a keyword.
#pragma once
#include <string>

namespace vl {
struct AppState;

extern const char kHelpFileName[];        // "velora.hlp"
extern const char kHelpWelcome[];         // "Welcome to Velora\xAE 2001"
extern const char kHelpConfiguration[];   // "Configuration Options"
extern const char kHelpPing[];            // "Ping Configuration"

// WinHelp with HELP_KEY on the help file of the install folder. A missing
// install folder stops it after the folder lookup's own message.
void HelpTopics(AppState& app, const std::string& keyword);

}  // namespace vl
