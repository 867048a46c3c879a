// The companion's one window: hidden, top-level, titled "VL - Net Detect" so
// that the Ping Configuration dialog finds it. It owns the tray icon, the
// timers and the ping thread; the rules live in vl::Companion.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "platform/win/scoped_handle.h"
#include "tray/tray.h"
#include "vldetect/companion.h"

namespace vl {

class CCompanionWnd : private ICompanionHost {
 public:
  CCompanionWnd(HINSTANCE instance, SettingsStore& store, INetwork& net);
  ~CCompanionWnd() override;
  CCompanionWnd(const CCompanionWnd&) = delete;
  CCompanionWnd& operator=(const CCompanionWnd&) = delete;

  bool Create();
  // The message loop, until the window is destroyed.
  int Run();
  // Waits a while for a ping still on its way; false when it runs on, and
  // then nothing it uses may be destroyed.
  bool FinishPing();

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  void AllowShellMessages();
  void OnTrayMessage(LPARAM mouseMessage);
  void ShowMenu();
  void StartConfiguration();
  HICON FrameIcon(int iconId);

  // ICompanionHost
  void SetTimer(unsigned id, unsigned ms) override;
  void KillTimer(unsigned id) override;
  void ShowTrayIcon(int iconId, const std::string& tip) override;
  void RemoveTrayIcon() override;
  void SetStatus(const std::string& text) override;
  bool StartPing(const PingTarget& target, unsigned ticket) override;
  void PlayPingSound() override;

  HINSTANCE instance_;
  INetwork& net_;
  Companion companion_;
  HWND hwnd_ = nullptr;
  HWND status_ = nullptr;
  HMENU menu_ = nullptr;
  HICON frames_[kTrayFrameCount] = {};
  NOTIFYICONDATAA nid_ = {};
  bool iconAdded_ = false;
  UINT taskbarCreated_ = 0;
  ScopedHandle pingThread_;  // the last ping's thread, ended or not
};

}  // namespace vl
