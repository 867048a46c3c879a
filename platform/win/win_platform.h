// The Win32 implementations of the platform interfaces.
#pragma once
#include <windows.h>

#include "platform/registry.h"
#include "platform/system.h"
#include "platform/win/scoped_handle.h"

namespace vl {

class WinRegistry : public IRegistry {
 public:
  long OpenKey(RegKey root, const std::string& subkey, uint32_t access, RegKey* result) override;
  long CreateKey(RegKey root, const std::string& subkey, uint32_t options, uint32_t access,
                 RegKey* result) override;
  long QueryValue(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteKey(RegKey root, const std::string& subkey) override;
  long CloseKey(RegKey key) override;
};

class WinMessageBoxes : public IMessageBoxes {
 public:
  int Show(WindowHandle owner, const std::string& text, const std::string& caption,
           unsigned style) override;
  void Beep(unsigned type) override;
};

// The shell's calls, each on the calling thread. ShellExecuteA enters the
// thread into COM for the length of the call (ScopedCom).
class WinShell : public IShell {
 public:
  intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int showCmd) override;
  unsigned WinExec(const std::string& commandLine, int showCmd) override;
  bool WinHelpA(WindowHandle owner, const std::string& helpFile, unsigned command,
               const std::string& data) override;
};

class WinFiles : public IFiles {
 public:
  uint32_t GetFileAttributesA(const std::string& path) override;
  bool SetFileAttributesA(const std::string& path, uint32_t attributes) override;
  bool SetCurrentDirectoryA(const std::string& path) override;
  std::string GetCurrentDirectoryA() override;
  std::string GetWindowsDirectoryA() override;
  bool CreateDirectoryA(const std::string& path) override;
  bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists) override;
  bool DeleteFileA(const std::string& path) override;
  bool WriteTextFile(const std::string& path, const std::string& text) override;
  bool ReadFirstLine(const std::string& path, size_t maxBytes, std::string* line) override;
};

// Waits 1 ms for every million counts, without keeping the processor busy.
class WinPacer : public IPacer {
 public:
  void Wait(uint64_t counts) override;
};

class WinRestart : public IRestart {
 public:
  bool OpenProcessToken() override;
  unsigned long EnableShutdownPrivilege() override;
  bool ExitWindowsEx(unsigned flags) override;

 private:
  ScopedHandle token_;
};

class WinClock : public IClock {
 public:
  LocalTime Now() override;
};

class WinIpInterfaces : public IIpInterfaces {
 public:
  long SetInterfaceMtu(const std::string& guid, uint32_t mtu) override;
};

// A function of shell32.dll, which velora.exe loads when it first needs it
// rather than with itself: at start-up that is the companion's start, on a
// thread of its own, so that loading the shell does not hold up the window.
// Null when it cannot be had.
FARPROC Shell32Function(const char* name);

inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h); }
inline WindowHandle FromHwnd(HWND h) { return reinterpret_cast<WindowHandle>(h); }

}  // namespace vl
