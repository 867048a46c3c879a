#!/bin/bash
# Takes the README's pictures of the form in its three modes (automatic
# Dial-Up, automatic LAN, manual) under Xvfb, in a Wine prefix of its own with
# Wine's own fonts, on the Windows 98 machine of the test bench.
#   form_screenshots.sh WIN64_BUILD_DIR [OUT_DIR]   (OUT_DIR: docs/screenshots)
set -u
w64=$(readlink -f "${1:?usage: form_screenshots.sh WIN64_BUILD_DIR [OUT_DIR]}")
out=$(readlink -f "${2:-$(dirname "$0")/../docs/screenshots}")
src=$(readlink -f "$(dirname "$0")/..")
state=$(dirname "$w64")/form-shots
prefix=$state/prefix
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

for f in velora.exe e2e_tests.exe stubs/vldetect.exe; do
  [ -f "$w64/$f" ] || { echo "missing $w64/$f: build it first (make win64)" >&2; exit 1; }
done
mkdir -p "$state" "$out"
x86_64-w64-mingw32-g++-posix -std=c++17 -O1 -I"$src" "$src/tools/shots/form_modes.cpp" \
  -o "$state/form_modes.exe" -static -static-libgcc -static-libstdc++ -luser32 ||
  { echo "cannot build the form driver" >&2; exit 1; }

source "$(dirname "$0")/wine-common.sh"
trap finish EXIT
start_xvfb 291 340 || exit 1
make_prefix || exit 1
install_win98 "$w64" "$w64/velora.exe" "$w64/stubs/vldetect.exe" || exit 1

caption=" Velora 2001 v5.1"
for mode in dialup lan manual; do
  rm -f Velora.cfg
  wine velora.exe &
  program_pid=$!
  timeout 90 wine "$w64/e2e_tests.exe" --wait-window "$caption" 60000 >/dev/null ||
    { echo "no main window" >&2; exit 1; }
  rect=$(timeout 90 wine "$state/form_modes.exe" "$mode" | tr -d '\r')
  [ -n "$rect" ] || { echo "could not choose $mode" >&2; exit 1; }
  read -r left top right bottom <<<"$rect"
  import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+$left+$top" \
    +repage "$out/form-$mode.png" || exit 1
  timeout 30 wine "$w64/e2e_tests.exe" --close-window "$caption" 10000 >/dev/null
  wait "$program_pid" 2>/dev/null
  program_pid=
  echo "$out/form-$mode.png"
done
