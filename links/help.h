// Opening the help at a keyword: the WinHelp file when the install folder
// has one, otherwise the HTML page of that topic in its help folder.
#pragma once
#include <cstddef>
#include <string>

#include "platform/system.h"

namespace vl {
struct AppState;

extern const char kHelpFileName[];    // "velora.hlp"
extern const char kHelpFolderName[];  // "help", beside velora.exe

// The keywords the program opens the help at.
extern const char kHelpWelcome[];         // "Welcome to Velora\xAE 2001"
extern const char kHelpConfiguration[];   // "Configuration Options"
extern const char kHelpPing[];            // "Ping Configuration"
extern const char kHelpMtu[];             // "MTU (Maximum Transmission Unit)"
extern const char kHelpRwin[];            // "RWIN (Receive Window)"
extern const char kHelpTtl[];             // "TTL (Time To Live)"
extern const char kHelpKeepAlive[];       // "Session Keep Alive"
extern const char kHelpPmtu[];            // "PMTU (Path Maximum Transmission Unit)"
extern const char kHelpNdi[];             // "NDI Cache"
extern const char kHelpMtuFinder[];       // "Find Largest MTU"

// Every keyword with the page of the help folder that holds its topic. This
// table is the one list of keywords; the help's own checks read it too.
struct HelpTopic {
  const char* keyword;
  const char* page;
};
extern const HelpTopic kHelpTopics[];
extern const size_t kHelpTopicCount;

// The page of a keyword, or nullptr for a keyword the help does not know.
const char* HelpPageFor(const std::string& keyword);

// A file: address for a local path ("C:\a b\x.htm" gives
// "file:///C:/a%20b/x.htm"), with no blank in it for a browser's command line.
std::string FileUrl(const std::string& path);

// Opens the help at the keyword. With "velora.hlp" in the install folder:
// WinHelp with HELP_KEY, whose program shows its own messages. Without it:
// the keyword's page of the help folder through the program's URL opening;
// a page or folder that is not there, or a failed open, is reported as a
// failed link would be, with `owner` owning the box. A missing install folder
// stops it after the folder lookup's own message.
void HelpTopics(AppState& app, const std::string& keyword, WindowHandle owner = 0);

}  // namespace vl
