// Stand-in for rundll32.exe in the install folder, which WinExec finds before
// the system's: appends its command line to rundll32.log beside itself.
#include "stand_in.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AppendLine(BesideProgram("rundll32.log"), GetCommandLineA());
  return 0;
}
