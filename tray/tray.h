// The form view's notification-area icon: the record handed to the shell and
// the animation that timer messages drive. Nothing here adds the icon; any
// party that adds one under the view's window with identifier 100 sees it
// animated and removed.
#pragma once
#include <cstdint>
#include <string>

#include "platform/system.h"

namespace vl {

using IconHandle = std::uintptr_t;  // an HICON, 0 for none

constexpr uint32_t kTrayIconId = 100;
constexpr uint32_t kWmTrayNotify = 0x0400 + 100;
constexpr unsigned kTrayRemoveTimer = 12;
constexpr int kTrayFrameCount = 4;
constexpr int kTrayTipSize = 64;  // characters, the terminating zero included

// Shell_NotifyIconA operations and record flags.
constexpr unsigned kNimAdd = 0, kNimModify = 1, kNimDelete = 2;
constexpr uint32_t kNifMessage = 1, kNifIcon = 2, kNifTip = 4;

// Icon resources of the frames, frame 0 first.
extern const int kTrayFrames[kTrayFrameCount];  // 135, 133, 134, 132
extern const char* const TrayTips[kTrayFrameCount];

// The fields of the shell's first NOTIFYICONDATA layout.
struct TrayRecord {
  uint32_t cbSize = 0;
  WindowHandle hWnd = 0;
  uint32_t uID = 0;
  uint32_t uFlags = 0;
  uint32_t uCallbackMessage = 0;
  IconHandle hIcon = 0;
  char szTip[kTrayTipSize] = {};
};

// What the record needs of the system.
class ITrayShell {
 public:
  virtual ~ITrayShell() = default;
  virtual IconHandle LoadFrameIcon(int resourceId) = 0;  // 0 when it cannot be loaded
  virtual void DestroyIcon(IconHandle icon) = 0;
  // Shell_NotifyIconA; `record` is what the shell is given.
  virtual bool NotifyIcon(unsigned operation, const TrayRecord& record) = 0;
};

// The process-wide frame index, 0 at start, always 0 to 3; never reset.
int& TrayFrameIndex();

class TrayIcon {
 public:
  TrayIcon(ITrayShell& shell, uint32_t recordSize) : shell_(shell), recordSize_(recordSize) {}

  // Loads the frame's icon into the record and hands the record to the shell.
  void SetTrayIcon(WindowHandle view, unsigned operation, int frame, const std::string& tip);
  // A timer message of the view: shows the next frame (timer 12 first removes
  // the icon, so the shell has nothing left to change).
  void OnTimer(WindowHandle view, unsigned timerId);
  // After the view's own destruction.
  void OnDestroy();

  const TrayRecord& Record() const { return m_nid; }

 private:
  ITrayShell& shell_;
  uint32_t recordSize_;
  TrayRecord m_nid;  // all zero until the first update
};

}  // namespace vl
