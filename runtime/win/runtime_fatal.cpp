#include "runtime/win/runtime_fatal.h"

#include <windows.h>

#ifndef VELORA_RUNTIME_CAPTION
#error "VELORA_RUNTIME_CAPTION names the program in its boxes; velora_lean_program sets it"
#endif

namespace vl {

extern const char kRuntimeCaption[] = VELORA_RUNTIME_CAPTION;

void RuntimeFatal(const char* text, const char* detail) {
  char message[1024];
  if (detail)
    wsprintfA(message, "%.300s\n\n(%.300s)", text, detail);
  else
    wsprintfA(message, "%.300s", text);
  MessageBoxA(nullptr, message, kRuntimeCaption, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  ExitProcess(3);
}

}  // namespace vl
