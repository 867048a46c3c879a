// Entry of the Wine test bench. Besides the tests it can seed a machine for
// the demo: e2e_tests.exe --seed=win98 C:\Folder\ writes the Windows 98
// machine and the install-folder value, then exits.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/harness.h"

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--seed=win98") == 0) {
    e2e::SeedWin98Machine();
    e2e::SeedInstallFolder(argv[2]);
    return 0;
  }
  testing::InitGoogleTest(&argc, argv);
  e2e::PrepareInstallDir();
  return RUN_ALL_TESTS();
}
