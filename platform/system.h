// The rest of the system as the core sees it: message boxes, the shell and
// process start, files, pacing and restart. Each interface is shaped like the
// Win32 calls it stands for.
#pragma once
#include <cstdint>
#include <string>

#include "platform/win32_types.h"

namespace vl {

using WindowHandle = std::uintptr_t;  // an HWND, 0 for none

class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;
  // MessageBoxA: returns the id of the button pressed (kIdOk, kIdYes, ...).
  virtual int Show(WindowHandle owner, const std::string& text, const std::string& caption,
                   unsigned style) = 0;
  // MessageBeep
  virtual void Beep(unsigned type) { (void)type; }
};

class IShell {
 public:
  virtual ~IShell() = default;
  // ShellExecuteA: the result as an integer, above 32 for success.
  virtual intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int showCmd) = 0;
  // WinExec: above 31 for success.
  virtual unsigned WinExec(const std::string& commandLine, int showCmd) = 0;
  // WinHelpA with a text argument (HELP_KEY).
  virtual bool WinHelpA(WindowHandle owner, const std::string& helpFile, unsigned command,
                       const std::string& data) = 0;
};

class IFiles {
 public:
  virtual ~IFiles() = default;
  // GetFileAttributesA / SetFileAttributesA
  virtual uint32_t GetFileAttributesA(const std::string& path) = 0;
  virtual bool SetFileAttributesA(const std::string& path, uint32_t attributes) = 0;
  // SetCurrentDirectoryA / GetCurrentDirectoryA
  virtual bool SetCurrentDirectoryA(const std::string& path) = 0;
  virtual std::string GetCurrentDirectoryA() = 0;
  // GetWindowsDirectoryA
  virtual std::string GetWindowsDirectoryA() = 0;
  // CreateDirectoryA (default security); false also when it exists
  virtual bool CreateDirectoryA(const std::string& path) = 0;
  // CopyFileA
  virtual bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists) = 0;
  // DeleteFileA
  virtual bool DeleteFileA(const std::string& path) = 0;
  // Creates or empties a file and writes `text` into it (text mode open for
  // create and read-write, seek to start, write, close).
  virtual bool WriteTextFile(const std::string& path, const std::string& text) = 0;
  // Opens a file for reading and reads its first line (without the line end),
  // reading no more than `maxBytes` bytes. False when it cannot be opened.
  virtual bool ReadFirstLine(const std::string& path, size_t maxBytes, std::string* line) = 0;
};

// Paces the Apply's progress: waits in proportion to a loop count.
class IPacer {
 public:
  virtual ~IPacer() = default;
  virtual void Wait(uint64_t counts) = 0;
};

// The calls of the restart step.
class IRestart {
 public:
  virtual ~IRestart() = default;
  // OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY)
  virtual bool OpenProcessToken() = 0;
  // LookupPrivilegeValueA(NULL, "SeShutdownPrivilege") followed by
  // AdjustTokenPrivileges(enable it); returns GetLastError() after the adjust.
  virtual unsigned long EnableShutdownPrivilege() = 0;
  // ExitWindowsEx(flags, 0)
  virtual bool ExitWindowsEx(unsigned flags) = 0;
};

// A moment of the local clock, as GetLocalTime gives it.
struct LocalTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class IClock {
 public:
  virtual ~IClock() = default;
  // GetLocalTime
  virtual LocalTime Now() = 0;
};

// The running network interfaces of Windows Vista and later (iphlpapi.dll,
// looked up at run time: no earlier Windows has these calls).
class IIpInterfaces {
 public:
  virtual ~IIpInterfaces() = default;
  // ConvertInterfaceGuidToLuid of the adapter's GUID ("{...}"), then
  // GetIpInterfaceEntry and SetIpInterfaceEntry of its IPv4 interface with
  // the MTU (NlMtu) set. The status of the call that failed, ERROR_NOT_SUPPORTED
  // where the calls are missing.
  virtual long SetInterfaceMtu(const std::string& guid, uint32_t mtu) = 0;
};

// Everything the core can reach. Unset members are not used by that caller.
struct Platform {
  class IRegistry* registry = nullptr;
  IMessageBoxes* boxes = nullptr;
  IShell* shell = nullptr;
  IFiles* files = nullptr;
  IPacer* pacer = nullptr;
  IRestart* restart = nullptr;
  IClock* clock = nullptr;
  IIpInterfaces* ipInterfaces = nullptr;
};

}  // namespace vl
