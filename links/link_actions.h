// What a link does when clicked, chosen by its tip text: open the maker's
// home page or a mail to the support team, or open a help topic.
#pragma once
#include <string>

#include "platform/system.h"

namespace vl {
struct AppState;

extern const char kTipHomePage[];     // "Click in order to visit our Home Page"
extern const char kTipSupportMail[];  // "Click in order to send us an Email"

enum class LinkKind { None, HomePage, SupportMail, HelpTopic };

struct LinkAction {
  LinkKind kind = LinkKind::None;
  const char* keyword = nullptr;  // the help keyword of a HelpTopic row
};

// The first row of the click table whose tip text equals `tipText`.
LinkAction FindLinkAction(const std::string& tipText);

// The addresses the two URL rows open, with the program's ref tags.
std::string HomePageUrl(const AppState& app);
std::string SupportMailUrl(const AppState& app);

enum class LinkOutcome { Nothing, Opened, OpenFailed, HelpShown };

// Carries out the click of a link with that tip text. A failed open beeps
// and reports the error with `owner` as owner of the box.
LinkOutcome ClickLink(AppState& app, const std::string& tipText, WindowHandle owner);

}  // namespace vl
