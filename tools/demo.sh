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
prefix=$state/prefix
shot=$build/demo-screenshot.png
caption=" Velora 2001 v5.1"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

for f in velora.exe e2e_tests.exe; do
  [ -f "$w64/$f" ] || { echo "missing $w64/$f: build it first (make win64)" >&2; exit 1; }
done
mkdir -p "$state"

source "$(dirname "$0")/wine-common.sh"

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  start_xvfb 191 240 || exit 1
fi
trap finish EXIT

[ -f "$prefix/.velora-ready" ] || echo "Preparing the demo Wine prefix in $prefix (once, about a minute)..."
make_prefix || exit 1
install_win98 "$w64" "$w64/velora.exe" || exit 1

if [ $headless = 0 ]; then
  wine velora.exe
  exit $?
fi

wine velora.exe &
program_pid=$!
rect=$(timeout 90 wine "$w64/e2e_tests.exe" --wait-window "$caption" 60000 | tr -d '\r')
if [ -z "$rect" ]; then
  echo "the main window did not appear" >&2
  exit 1
fi
read -r left top right bottom <<<"$rect"
# Unmanaged windows may stand partly off screen; keep the crop on it.
((left < 0)) && left=0
((top < 0)) && top=0
import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+$left+$top" \
  +repage "$shot" || { echo "screenshot failed" >&2; exit 1; }
timeout 30 wine "$w64/e2e_tests.exe" --close-window "$caption" 10000 >/dev/null
wait "$program_pid" 2>/dev/null
program_pid=
echo "Screenshot of the main window: $shot"
