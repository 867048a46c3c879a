// In-memory stand-ins for message boxes, shell, files, pacing and restart.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/system.h"

namespace vl {

struct ShownBox {
  WindowHandle owner;
  std::string text;
  std::string caption;
  unsigned style;

  bool operator==(const ShownBox& o) const {
    return owner == o.owner && text == o.text && caption == o.caption && style == o.style;
  }
};

// Records every box and answers from a script (kIdOk when the script is empty
// and the box has one button; kIdNo for an unscripted question, so that a
// forgotten answer never says Yes).
class MemMessageBoxes : public IMessageBoxes {
 public:
  int Show(WindowHandle owner, const std::string& text, const std::string& caption,
           unsigned style) override;
  void Beep(unsigned type) override { beeps.push_back(type); }

  std::deque<int> answers;
  std::vector<ShownBox> shown;
  std::vector<unsigned> beeps;
  // Called when a box is shown, before it is answered.
  std::function<void(const ShownBox&)> onShow;
};

struct ShellCall {
  std::string kind;  // "ShellExecute", "WinExec", "WinHelp"
  WindowHandle owner = 0;
  std::string operation, file, parameters, directory;  // ShellExecute; WinHelp: file, data
  unsigned command = 0;                               // WinHelp
  int showCmd = 0;
};

class MemShell : public IShell {
 public:
  intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int showCmd) override;
  unsigned WinExec(const std::string& commandLine, int showCmd) override;
  bool WinHelpA(WindowHandle owner, const std::string& helpFile, unsigned command,
               const std::string& data) override;

  std::vector<ShellCall> calls;
  intptr_t shellExecuteResult = 42;
  unsigned winExecResult = 33;

 private:
  // Appends a call with what every kind records; the caller adds the rest.
  ShellCall& Record(const char* kind, WindowHandle owner, const std::string& file, int showCmd);
};

// A small file system: absolute paths such as "C:\\dir\\file", compared
// case-insensitively; relative paths resolve against the current directory.
// Files carry attributes; like Windows, a read-only, hidden or system file
// cannot be overwritten by a plain create, and a read-only one not deleted.
class MemFiles : public IFiles {
 public:
  MemFiles();
  uint32_t GetFileAttributesA(const std::string& path) override;
  bool SetFileAttributesA(const std::string& path, uint32_t attributes) override;
  bool SetCurrentDirectoryA(const std::string& path) override;
  std::string GetCurrentDirectoryA() override { return cwd_; }
  std::string GetWindowsDirectoryA() override { return windowsDirectory; }
  bool CreateDirectoryA(const std::string& path) override;
  bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists) override;
  bool DeleteFileA(const std::string& path) override;
  bool WriteTextFile(const std::string& path, const std::string& text) override;
  bool ReadFirstLine(const std::string& path, size_t maxBytes, std::string* line) override;

  // Seeding and inspection.
  void AddDirectory(const std::string& path);  // with its parents
  void AddFile(const std::string& path, const std::string& content, uint32_t attributes = 0);
  bool Exists(const std::string& path) const;
  bool IsDirectory(const std::string& path) const;
  std::string Content(const std::string& path) const;  // "<absent>" when missing
  std::string FullPath(const std::string& path) const;

  std::string windowsDirectory = "C:\\WINDOWS";
  // A list of operations in order, as "Op path".
  std::vector<std::string> log;
  // Fault injection: return true to make the named operation fail.
  std::function<bool(const std::string& op, const std::string& path)> fault;

 private:
  struct Node {
    std::string path;  // as created
    bool directory = false;
    std::string content;
    uint32_t attributes = 0;
  };
  static std::string Lower(const std::string& s);
  bool Fail(const std::string& op, const std::string& path);
  Node* Find(const std::string& fullPath);
  const Node* Find(const std::string& fullPath) const;
  std::string Parent(const std::string& fullPath) const;
  std::map<std::string, Node> nodes_;
  std::string cwd_ = "C:\\";
};

class MemPacer : public IPacer {
 public:
  void Wait(uint64_t counts) override {
    waits.push_back(counts);
    if (onWait) onWait(counts);
  }
  std::vector<uint64_t> waits;
  std::function<void(uint64_t)> onWait;
};

class MemRestart : public IRestart {
 public:
  bool OpenProcessToken() override {
    log.push_back("OpenProcessToken");
    return tokenOpens;
  }
  unsigned long EnableShutdownPrivilege() override {
    log.push_back("EnableShutdownPrivilege");
    return lastErrorAfterAdjust;
  }
  bool ExitWindowsEx(unsigned flags) override {
    log.push_back("ExitWindows " + std::to_string(flags));
    return exitSucceeds;
  }
  bool tokenOpens = true;
  unsigned long lastErrorAfterAdjust = 0;
  bool exitSucceeds = true;
  std::vector<std::string> log;
};

// A clock that stands still at the time a test sets.
class MemClock : public IClock {
 public:
  LocalTime Now() override { return now; }
  LocalTime now = {2001, 6, 15, 9, 30, 0};
};

// Running interfaces that take every MTU they are given, or answer with the
// status a test sets (Wine answers ERROR_NOT_SUPPORTED).
class MemIpInterfaces : public IIpInterfaces {
 public:
  long SetInterfaceMtu(const std::string& guid, uint32_t mtu) override {
    calls.push_back(guid + " " + std::to_string(mtu));
    return status;
  }
  long status = kErrorSuccess;
  std::vector<std::string> calls;  // "GUID MTU"
};

}  // namespace vl
