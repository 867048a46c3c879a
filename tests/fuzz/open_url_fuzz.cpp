// The URL fallback over any registered opener command and any address: the
// command line run is the opener up to its placeholder, a blank and the
// address, and nothing of the registry text beyond the read limit.
#include <cstdint>
#include <string>

#include "fast_registry.h"
#include "links/open_url.h"
#include "platform/mem/mem_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The input is the opener's command, a NUL, and the address.
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find('\0');
  std::string command = input.substr(0, split);
  std::string url = split == std::string::npos ? std::string() : input.substr(split + 1);

  // The keys stay from one input to the next; only the command changes.
  static fuzz::FastRegistry reg;
  reg.ClearCalls();
  reg.PutSz("HKCR\\.htm", "", "htmlfile");
  reg.PutSz("HKCR\\htmlfile\\shell\\open\\command", "", command);
  vl::MemShell shell;
  shell.shellExecuteResult = 31;
  vl::OpenUrl(shell, reg, url, vl::kSwShow);

  if (shell.calls.size() != 2 || shell.calls[1].kind != "WinExec") __builtin_trap();
  const std::string& line = shell.calls[1].file;
  std::string read = command.size() < vl::kKeyDefaultLimit ? command : std::string();
  if (line != vl::FallbackCommandLine(read, url)) __builtin_trap();
  if (line.size() > read.size() + 1 + url.size()) __builtin_trap();
  if (line.compare(line.size() - url.size(), url.size(), url) != 0) __builtin_trap();
  if (reg.OpenHandles() != 0) __builtin_trap();
  return 0;
}
