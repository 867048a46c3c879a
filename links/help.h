// Opening the help file at a keyword.
#pragma once
#include <string>

namespace vl {
struct AppState;

extern const char kHelpWelcome[];         // "Welcome to Velora\xAE 2001"
extern const char kHelpConfiguration[];   // "Configuration Options"
extern const char kHelpPing[];            // "Ping Configuration"

void HelpTopics(AppState& app, const std::string& keyword);

}  // namespace vl
