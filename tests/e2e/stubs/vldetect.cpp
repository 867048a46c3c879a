// Stand-in for the companion program: appends its command line and current
// directory to vldetect.log beside itself, then ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash) std::strcpy(slash + 1, "vldetect.log");
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, cwd);
  if (FILE* f = std::fopen(path, "ab")) {
    std::fprintf(f, "%s|%s\n", GetCommandLineA(), cwd);
    std::fclose(f);
  }
  return 0;
}
