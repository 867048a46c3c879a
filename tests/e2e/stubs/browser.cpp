// Stand-in for the web browser and mail program: registered as the opener of
// http and mailto addresses and of .htm pages by a test, it appends its
// command line to browser.log beside itself.
#include "stand_in.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AppendLine(BesideProgram("browser.log"), GetCommandLineA());
  return 0;
}
