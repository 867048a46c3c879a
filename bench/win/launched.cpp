#include "bench/win/launched.h"

#include <tlhelp32.h>

#include <stdexcept>
#include <vector>

#include "tests/e2e/harness.h"

namespace driver {

const char kFrameClass[] = "VeloraFrame";
const char kFloorClass[] = "FloorFrame";
const char kFairFloorClass[] = "FairFloorFrame";
const char kBenchDir[] = "C:\\VeloraBench\\";
const char kAloneDir[] = "C:\\VeloraBench\\alone\\";

namespace {

void CopyOrThrow(const std::string& from, const std::string& to) {
  SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
    throw std::runtime_error("cannot copy " + from + " to " + to);
}

// Programs this one started and left running (a lingering companion would
// weigh on the next run).
void EndChildren(DWORD parent) {
  vl::ScopedHandle snap{CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
  if (!snap) return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snap.get(), &entry); ok; ok = Process32Next(snap.get(), &entry)) {
    if (entry.th32ParentProcessID != parent) continue;
    if (vl::ScopedHandle child{
            OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)}) {
      TerminateProcess(child.get(), 99);
      WaitForSingleObject(child.get(), 5000);
    }
  }
}

// The head of an entry of the system's process list.
struct ProcessEntry {
  ULONG NextEntryOffset;
  ULONG NumberOfThreads;
  LARGE_INTEGER WorkingSetPrivateSize;
  ULONG HardFaultCount;
  ULONG NumberOfThreadsHighWatermark;
  ULONGLONG CycleTime;
  LARGE_INTEGER CreateTime;
  LARGE_INTEGER UserTime;
  LARGE_INTEGER KernelTime;
  USHORT NameLength;
  USHORT NameMaximumLength;
  PWSTR NameBuffer;
  LONG BasePriority;
  HANDLE UniqueProcessId;
};

}  // namespace

void Install(const Options& options) {
  CreateDirectoryA(kBenchDir, nullptr);
  CreateDirectoryA(kAloneDir, nullptr);
  CopyOrThrow(options.velora, std::string(kBenchDir) + "velora.exe");
  CopyOrThrow(options.companion, std::string(kBenchDir) + "vldetect.exe");
  CopyOrThrow(options.velora, std::string(kAloneDir) + "velora.exe");
  if (!options.traced.empty()) {
    CopyOrThrow(options.traced, std::string(kBenchDir) + "velora_trace.exe");
    CopyOrThrow(options.traced, std::string(kAloneDir) + "velora_trace.exe");
  }
  for (const char* dir : {kBenchDir, kAloneDir}) e2e::RemoveFile(std::string(dir) + "Velora.cfg");
}

size_t TurnOrder(int round, size_t k, size_t count) {
  // The square's first row: 0, 1, n-1, 2, n-2, ...; each row adds its number.
  size_t base = 0;
  if (k % 2 == 1) base = (k + 1) / 2;
  else if (k > 0) base = count - k / 2;
  return (base + static_cast<size_t>(round) % count) % count;
}

void PauseBetweenStarts() { Sleep(250); }

bool ProcessorMs(DWORD pid, double* ms) {
  using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  static auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"),
                                             "NtQuerySystemInformation")));
  if (!query) return false;
  std::vector<char> buffer(1 << 20);
  ULONG length = 0;
  const ULONG kSystemProcessInformation = 5;
  if (query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
            &length) != 0)
    return false;
  for (size_t offset = 0;;) {
    const auto* entry = reinterpret_cast<const ProcessEntry*>(buffer.data() + offset);
    if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId)) == pid) {
      *ms = static_cast<double>(entry->UserTime.QuadPart + entry->KernelTime.QuadPart) / 10000.0;
      return true;
    }
    if (!entry->NextEntryOffset) return false;
    offset += entry->NextEntryOffset;
  }
}

bool Launched::Start(const std::string& exe, const std::string& dir, std::string* error) {
  std::string cmd = "\"" + exe + "\"";
  std::vector<char> line(cmd.begin(), cmd.end());
  line.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                      &si, &pi)) {
    *error = "cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  process_.reset(pi.hProcess);
  thread_.reset(pi.hThread);
  pid_ = pi.dwProcessId;
  return true;
}

// The first wait blocks instead of polling: polling wineserver hard would
// slow the very start-up it measures.
HWND Launched::WaitReady(const char* cls, int timeoutMs, std::string* error) {
  double start = NowMs();
  WaitForInputIdle(process_.get(), timeoutMs);
  HWND found = nullptr;
  for (int polls = 0; !found; ++polls) {
    HWND w = FindWindowA(cls, nullptr);
    DWORD pid = 0;
    if (w) GetWindowThreadProcessId(w, &pid);
    if (w && pid == pid_ && IsWindowVisible(w)) {
      found = w;
      break;
    }
    if (polls % 50 == 0) {
      if (WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) {
        *error = "the program ended before its window showed";
        return nullptr;
      }
      if (HWND box = e2e::FindAnyMessageBox(pid_)) {
        *error = "a message box came instead of the window: " + e2e::MessageBoxText(box);
        return nullptr;
      }
    }
    if (NowMs() - start > timeoutMs) {
      *error = "no visible window within " + std::to_string(timeoutMs / 1000) + " s";
      return nullptr;
    }
    Sleep(2);
  }
  WaitForInputIdle(process_.get(), timeoutMs);
  DWORD_PTR result;
  SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result);
  return found;
}

void Launched::End() {
  if (!process_) return;
  if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0)
      TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
  EndChildren(pid_);
  process_.reset();
  thread_.reset();
  pid_ = 0;
}

}  // namespace driver
