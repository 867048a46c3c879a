// The shell as start-up uses it: the companion's ShellExecuteA runs on a
// thread of its own. The call returns only once the new process is under
// way, which under Wine means once that process has loaded (tens of
// milliseconds); made at its step of start-up with the same arguments, it
// no longer holds up the creation of the window that follows it. Every
// other call goes straight to the shell.
//
// The one rule that keeps that thread apart from the rest of the program:
// it runs nothing but the shell's call (WinShell::ShellExecuteA, which
// enters COM for it), and every later use of this object waits for it to
// end first. So no two calls of the shell ever run at once, and the thread
// touches nothing the main thread makes or changes meanwhile.
#pragma once
#include <windows.h>

#include <string>

#include "platform/system.h"
#include "platform/win/scoped_handle.h"

class CStartupShell : public vl::IShell {
 public:
  // What ShellExecuteA reports for a call handed to its thread: "started",
  // as far as start-up is concerned; it goes on whatever the call returns.
  static constexpr intptr_t kHandedOver = 33;

  explicit CStartupShell(vl::IShell& shell) : shell_(shell) {}
  ~CStartupShell() override;

  // The first call runs on a thread of its own (or here, should no thread
  // start); later calls run here once it has returned.
  intptr_t ShellExecuteA(vl::WindowHandle owner, const std::string& operation,
                         const std::string& file, const std::string& parameters,
                         const std::string& directory, int showCmd) override;
  unsigned WinExec(const std::string& commandLine, int showCmd) override;
  bool WinHelpA(vl::WindowHandle owner, const std::string& helpFile, unsigned command,
                const std::string& data) override;

  // Until the call on the thread has returned; the program does not end
  // before, so the companion's start is never cut short.
  void Wait();

 private:
  static DWORD WINAPI ThreadMain(void* self);

  vl::IShell& shell_;
  bool handedOver_ = false;
  vl::ScopedHandle thread_;
  struct {
    vl::WindowHandle owner;
    std::string operation, file, parameters, directory;
    int showCmd;
  } call_ = {};
};
