// Stand-in for the companion program: appends its command line and current
// directory to vldetect.log beside itself, then ends.
#include "stand_in.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, cwd);
  AppendLine(BesideProgram("vldetect.log"), std::string(GetCommandLineA()) + "|" + cwd);
  return 0;
}
