// Stand-in for the web browser and mail program: registered as the opener of
// http and mailto addresses and of .htm pages by a test, it appends its
// command line to browser.log beside itself.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash) std::strcpy(slash + 1, "browser.log");
  if (FILE* f = std::fopen(path, "ab")) {
    std::fprintf(f, "%s\n", GetCommandLineA());
    std::fclose(f);
  }
  return 0;
}
