#include "links/help.h"

#include <cstring>
#include <iterator>

#include "links/open_url.h"
#include "settings/install_folder.h"
#include "state/app_state.h"

namespace vl {

const char kHelpFileName[] = "velora.hlp";
const char kHelpFolderName[] = "help";

const char kHelpWelcome[] = "Welcome to Velora\xAE 2001";
const char kHelpConfiguration[] = "Configuration Options";
const char kHelpPing[] = "Ping Configuration";
const char kHelpMtu[] = "MTU (Maximum Transmission Unit)";
const char kHelpRwin[] = "RWIN (Receive Window)";
const char kHelpTtl[] = "TTL (Time To Live)";
const char kHelpKeepAlive[] = "Session Keep Alive";
const char kHelpPmtu[] = "PMTU (Path Maximum Transmission Unit)";
const char kHelpNdi[] = "NDI Cache";
const char kHelpMtuFinder[] = "Find Largest MTU";

const HelpTopic kHelpTopics[] = {
    {kHelpWelcome, "welcome.htm"},   {kHelpConfiguration, "modes.htm"},
    {kHelpPing, "ping.htm"},         {kHelpMtu, "mtu.htm"},
    {kHelpRwin, "rwin.htm"},         {kHelpTtl, "ttl.htm"},
    {kHelpKeepAlive, "keepalive.htm"}, {kHelpPmtu, "pmtu.htm"},
    {kHelpNdi, "ndicache.htm"},      {kHelpMtuFinder, "mtufinder.htm"},
};
const size_t kHelpTopicCount = std::size(kHelpTopics);

const char* HelpPageFor(const std::string& keyword) {
  for (const HelpTopic& topic : kHelpTopics)
    if (keyword == topic.keyword) return topic.page;
  return nullptr;
}

std::string FileUrl(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  // A UNC path keeps its server as the address's host.
  bool unc = path.size() > 1 && path[0] == '\\' && path[1] == '\\';
  std::string url = unc ? "file:" : "file:///";
  for (unsigned char c : path) {
    if (c == '\\') {
      url += '/';
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               std::strchr("-._~:!$&'()+,;=@", c)) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}

namespace {

bool Exists(IFiles& files, const std::string& path) {
  return files.GetFileAttributesA(path) != kInvalidFileAttributes;
}

}  // namespace

void HelpTopics(AppState& app, const std::string& keyword, WindowHandle owner) {
  std::string folder = GetInstallFolder(app.m_settings, *app.sys.boxes, app.m_strProductName);
  if (folder.empty()) return;
  IFiles& files = *app.sys.files;
  if (Exists(files, folder + kHelpFileName)) {
    // The help program shows its own messages for a keyword it lacks.
    app.sys.shell->WinHelpA(0, folder + kHelpFileName, kHelpKey, keyword);
    return;
  }
  // We ship no WinHelp file, and Windows from Vista on has no WinHelp: the
  // topic's page opens in the browser. A page that is not there would only
  // show the browser's own error, so we say so ourselves, as the shell would
  // for a link.
  const std::string pages = folder + kHelpFolderName;
  const char* page = HelpPageFor(keyword);
  if (!Exists(files, pages)) return ReportFailedOpen(*app.sys.boxes, kErrorPathNotFound, owner);
  if (!page || !Exists(files, pages + "\\" + page))
    return ReportFailedOpen(*app.sys.boxes, kErrorFileNotFound, owner);
  intptr_t result = OpenUrl(*app.sys.shell, *app.sys.registry, FileUrl(pages + "\\" + page), kSwShowNormal);
  if (result <= 32) ReportFailedOpen(*app.sys.boxes, static_cast<int>(result), owner);
}

}  // namespace vl
