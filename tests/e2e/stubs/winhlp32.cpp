// Stand-in for the Windows help program in the install folder, which the
// help call starts before the system's. It takes the help requests as the
// help program does, through the "MS_WINHELP" window, and appends each one
// to winhlp32.log beside itself as "file|command|keyword". It ends on
// WM_CLOSE or after a minute.
#include "stand_in.h"

namespace {

// The request the help call sends with WM_COPYDATA.
struct HelpRequest {
  WORD size;
  WORD command;
  LONG data;
  LONG reserved;
  WORD ofsFilename;
  WORD ofsData;
};

const std::string g_log = BesideProgram("winhlp32.log");

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COPYDATA: {
      auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
      if (!cds || cds->cbData < sizeof(HelpRequest)) return FALSE;
      auto* req = static_cast<const HelpRequest*>(cds->lpData);
      const char* base = static_cast<const char*>(cds->lpData);
      std::string file = req->ofsFilename ? base + req->ofsFilename : "";
      std::string data = req->ofsData ? base + req->ofsData : "";
      AppendLine(g_log, file + "|" + std::to_string(req->command) + "|" + data);
      return TRUE;
    }
    case WM_TIMER:
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunWindow(instance, "MS_WINHELP", "Help stand-in", WS_OVERLAPPED, Proc,
                   [](HWND hwnd) { SetTimer(hwnd, 1, 60000, nullptr); });
}
