#!/bin/bash
# Runs velora.exe in a Wine prefix of its own under the build folder, seeded
# as a Windows 98 machine with a Dial-Up Adapter, an Ethernet card and the
# install-folder value an installer writes.
#   demo.sh WIN64_BUILD_DIR
# With a display the program simply runs. Without one the script starts Xvfb,
# waits for the main window, saves a screenshot beside the build folders,
# prints its path and closes the program.
set -u
w64=$(readlink -f "${1:?usage: demo.sh WIN64_BUILD_DIR}")
build=$(dirname "$w64")
state=$build/demo
export WINEPREFIX=$state/prefix WINEARCH=win64

source "$(dirname "$0")/wine-common.sh"
require_build "$w64" velora.exe e2e_tests.exe || exit 1
mkdir -p "$state"

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  start_xvfb || exit 1
fi
trap finish EXIT

[ -f "$WINEPREFIX/.velora-ready" ] ||
  echo "Preparing the demo Wine prefix in $WINEPREFIX (once, about a minute)..."
make_prefix || exit 1
install_win98 "$w64" "$w64/velora.exe" || exit 1

if [ $headless = 0 ]; then
  wine velora.exe
  exit $?
fi

shot=$build/demo-screenshot.png
shoot "$w64/e2e_tests.exe" "$shot" " Velora 2001 v5.1" ||
  { echo "the main window did not appear" >&2; exit 1; }
echo "Screenshot of the main window: $shot"
