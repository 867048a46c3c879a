#include "app/win/companion_start.h"

#include "runtime/win/startup_trace.h"

CStartupShell::~CStartupShell() { Wait(); }

intptr_t CStartupShell::ShellExecuteA(vl::WindowHandle owner, const std::string& operation,
                                      const std::string& file, const std::string& parameters,
                                      const std::string& directory, int showCmd) {
  if (!handedOver_) {
    vl::TraceStep("profile, verb, install folder");
    handedOver_ = true;
    call_ = {owner, operation, file, parameters, directory, showCmd};
    // The first call that needs the display (this one reads the pointer)
    // loads its driver and connects this thread to it. Made before a second
    // thread exists, Wine does that in a good deal less time than with one
    // running beside it, when the window's creation would come to do it; on
    // Windows the call costs next to nothing either way.
    POINT pointer;
    GetCursorPos(&pointer);
    DWORD id;  // Windows 95 wants somewhere to put it
    thread_.reset(CreateThread(nullptr, 0, &CStartupShell::ThreadMain, this, 0, &id));
    vl::TraceStep("companion's ShellExecuteA handed to its thread");
    if (thread_) return kHandedOver;
  }
  Wait();
  return shell_.ShellExecuteA(owner, operation, file, parameters, directory, showCmd);
}

DWORD WINAPI CStartupShell::ThreadMain(void* self) {
  auto* shell = static_cast<CStartupShell*>(self);
  const auto& c = shell->call_;
  shell->shell_.ShellExecuteA(c.owner, c.operation, c.file, c.parameters, c.directory, c.showCmd);
  vl::TraceStep("companion's ShellExecuteA returned");
  return 0;
}

unsigned CStartupShell::WinExec(const std::string& commandLine, int showCmd) {
  return shell_.WinExec(commandLine, showCmd);
}

bool CStartupShell::WinHelpA(vl::WindowHandle owner, const std::string& helpFile,
                             unsigned command, const std::string& data) {
  return shell_.WinHelpA(owner, helpFile, command, data);
}

void CStartupShell::Wait() {
  if (!thread_) return;
  WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
}
