// Stand-in for the companion's window "VL - Net Detect": appends
// "<wParam> <lParam>" to the log file named first on its command line for each
// settings notice. With "/hang" after it, it never returns from the notice.
#include "stand_in.h"
#include "res/resource.h"

namespace {
std::string g_log = "netdetect.log";
bool g_hang = false;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PING_SETTINGS_CHANGED_MSG) {
    AppendLine(g_log, std::to_string(static_cast<long long>(wp)) + " " +
                          std::to_string(static_cast<long long>(lp)));
    if (g_hang) Sleep(INFINITE);
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wp, lp);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
  std::string args = cmdLine ? cmdLine : "";
  size_t hang = args.find("/hang");
  if (hang != std::string::npos) {
    g_hang = true;
    args.erase(hang);
  }
  while (!args.empty() && args.back() == ' ') args.pop_back();
  if (!args.empty()) g_log = args;

  return RunWindow(instance, "VeloraNetDetectStandIn", "VL - Net Detect", WS_OVERLAPPEDWINDOW,
                   Proc);
}
