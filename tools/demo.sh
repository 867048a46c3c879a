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
folder='C:\Velora\'
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

for f in velora.exe e2e_tests.exe; do
  [ -f "$w64/$f" ] || { echo "missing $w64/$f: build it first (make win64)" >&2; exit 1; }
done
mkdir -p "$state"

xvfb_pid=
program_pid=
finish() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  timeout 20 wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}

start_xvfb() {
  for n in $(seq 191 240); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -e /tmp/.X11-unix/X$n ] && { export DISPLAY=:$n; return 0; }
      sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  done
  echo "no free X display for Xvfb" >&2
  return 1
}

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  start_xvfb || exit 1
fi
trap finish EXIT

if [ ! -f "$prefix/.velora-ready" ]; then
  echo "Preparing the demo Wine prefix in $prefix (once, about a minute)..."
  rm -rf "$prefix"
  timeout 180 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; exit 1; }
  # No window manager runs under Xvfb: unmanaged windows get drawn title bars.
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 30 wineserver -w
  touch "$prefix/.velora-ready"
fi

# The machine and the install folder, as a Windows 98 setup would leave them.
timeout 60 wine "$w64/e2e_tests.exe" --seed=win98 "$folder" ||
  { echo "seeding the demo machine failed" >&2; exit 1; }
install=$prefix/drive_c/Velora
mkdir -p "$install"
cp "$w64/velora.exe" "$install/velora.exe"
cd "$install" || exit 1

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
