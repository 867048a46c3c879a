// Stand-in for rundll32.exe in the install folder, which WinExec finds before
// the system's: appends its command line to rundll32.log beside itself.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash) std::strcpy(slash + 1, "rundll32.log");
  if (FILE* f = std::fopen(path, "ab")) {
    std::fprintf(f, "%s\n", GetCommandLineA());
    std::fclose(f);
  }
  return 0;
}
