// vldetect.exe, the keep-alive companion of Velora 2001. velora.exe starts
// it with "/auto" on every run, and the setup at every logon; whatever the
// command line, a start finds the one that runs already and ends at once.
#include <windows.h>

#include "platform/win/win_platform.h"
#include "settings/settings_store.h"
#include "vldetect/companion.h"
#include "vldetect/win/companion_window.h"
#include "net/win/win_network.h"

namespace {

// Held by the running companion for its whole life.
const char kMutexName[] = "NorwickLtd.Velora2001.NetDetect";

class WinInstanceProbe : public vl::IInstanceProbe {
 public:
  vl::MutexResult CreateInstanceMutex() override {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    if (!mutex)
      return error == ERROR_ACCESS_DENIED ? vl::MutexResult::AccessDenied : vl::MutexResult::Failed;
    // Not closed: the system frees it when the process ends.
    return error == ERROR_ALREADY_EXISTS ? vl::MutexResult::AlreadyExists
                                         : vl::MutexResult::Created;
  }
  bool CompanionWindowExists() override {
    return FindWindowA(nullptr, vl::kCompanionWindowName) != nullptr;
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WinInstanceProbe probe;
  if (!vl::IsFirstInstance(probe)) return 0;
  // Optional system DLLs that are missing must not bring up a box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

  vl::WinRegistry registry;
  vl::SettingsStore store;
  store.Attach(&registry);
  store.SetBaseKey(vl::kSettingsBaseKey);
  vl::WinNetwork network;
  vl::CCompanionWnd window(instance, store, network);
  if (!window.Create()) return 1;
  const int code = window.Run();
  // A ping thread still waiting on a name server uses the network object.
  if (!window.FinishPing()) ExitProcess(static_cast<UINT>(code));
  return code;
}
