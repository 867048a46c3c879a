#include "links/link_actions.h"

#include "state/app_state.h"
#include "links/help.h"
#include "res/maker.h"
#include "links/open_url.h"

namespace vl {

const char kTipHomePage[] = "Click in order to visit our Home Page";
const char kTipSupportMail[] = "Click in order to send us an Email";

namespace {

struct Row {
  const char* tip;
  LinkKind kind;
  const char* keyword;
};

const Row kClickTable[] = {
    {kTipHomePage, LinkKind::HomePage, nullptr},
    {kTipSupportMail, LinkKind::SupportMail, nullptr},
    {"Click for MTU help...", LinkKind::HelpTopic, kHelpMtu},
    {"Click for RWIN help...", LinkKind::HelpTopic, kHelpRwin},
    {"Click for TTL help...", LinkKind::HelpTopic, kHelpTtl},
    {"Click for Session Keep Alive help...", LinkKind::HelpTopic, kHelpKeepAlive},
    {"Click for PMTU help...", LinkKind::HelpTopic, kHelpPmtu},
    {"Click for NDI Cache help...", LinkKind::HelpTopic, kHelpNdi},
};

}  // namespace

LinkAction FindLinkAction(const std::string& tipText) {
  for (const Row& row : kClickTable)
    if (tipText == row.tip) return LinkAction{row.kind, row.keyword};
  return LinkAction{};
}

std::string HomePageUrl(const AppState& app) {
  return std::string(kMakerWebSite) + "?ref=" + app.m_strProductName + " " + app.m_strVersion +
         "_about";
}

std::string SupportMailUrl(const AppState& app) {
  return std::string("mailto:") + kMakerSupportMail + "?subject=" + app.m_strProductName + " " +
         app.m_strVersion;
}

LinkOutcome ClickLink(AppState& app, const std::string& tipText, WindowHandle owner) {
  LinkAction action = FindLinkAction(tipText);
  switch (action.kind) {
    case LinkKind::None:
      return LinkOutcome::Nothing;
    case LinkKind::HelpTopic:
      HelpTopics(app, action.keyword, owner);
      return LinkOutcome::HelpShown;
    case LinkKind::HomePage:
    case LinkKind::SupportMail:
      break;
  }
  std::string url = action.kind == LinkKind::HomePage ? HomePageUrl(app) : SupportMailUrl(app);
  intptr_t result = OpenUrl(*app.sys.shell, *app.sys.registry, url, kSwShow);
  if (result > 32) return LinkOutcome::Opened;
  ReportFailedOpen(*app.sys.boxes, static_cast<int>(result), owner);
  return LinkOutcome::OpenFailed;
}

}  // namespace vl
