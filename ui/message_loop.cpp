#include "ui/message_loop.h"

namespace ui {

bool IsIdleMessage(const MSG& msg) {
  static POINT lastMouse = {-1, -1};
  static UINT lastMouseMsg = 0;
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    if (lastMouseMsg == msg.message && lastMouse.x == msg.pt.x && lastMouse.y == msg.pt.y)
      return false;
    lastMouse = msg.pt;
    lastMouseMsg = msg.message;
    return true;
  }
  return msg.message != WM_PAINT && msg.message != 0x0118 /* WM_SYSTIMER */;
}

int RunMessageLoop(const MessageLoopArgs& args) {
  MSG msg;
  bool idle = true;
  for (;;) {
    if (idle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      idle = false;
      if (args.onIdle) args.onIdle();
      continue;  // the update may have posted messages
    }
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    if (!(args.preTranslate && args.preTranslate(&msg))) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (IsIdleMessage(msg) && !(args.isQuiet && args.isQuiet(msg))) idle = true;
  }
}

}  // namespace ui
