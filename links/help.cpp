// Placeholder until the links issue lands.
#include "links/help.h"

namespace vl {
const char kHelpWelcome[] = "Welcome to Velora\xAE 2001";
const char kHelpConfiguration[] = "Configuration Options";
const char kHelpPing[] = "Ping Configuration";
void HelpTopics(AppState&, const std::string&) {}
}  // namespace vl
