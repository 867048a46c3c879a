#!/bin/bash
# Takes the README's pictures of the main window and the About box under
# Xvfb, in a Wine prefix of their own that carries Wine's own fonts (MS Sans
# Serif, Tahoma, Marlett for the caption buttons), so that the windows are
# drawn as on Windows.
#   screenshots.sh WIN64_BUILD_DIR [OUT_DIR]   (OUT_DIR: docs/screenshots)
set -u
w64=$(readlink -f "${1:?usage: screenshots.sh WIN64_BUILD_DIR [OUT_DIR]}")
out=$(readlink -f "${2:-$(dirname "$0")/../docs/screenshots}")
state=$(dirname "$w64")/shots
prefix=$state/prefix
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

for f in velora.exe e2e_tests.exe stubs/vldetect.exe; do
  [ -f "$w64/$f" ] || { echo "missing $w64/$f: build it first (make win64)" >&2; exit 1; }
done
mkdir -p "$state" "$out"

source "$(dirname "$0")/wine-common.sh"
trap finish EXIT
start_xvfb 241 290 || exit 1
make_prefix || exit 1
install_win98 "$w64" "$w64/velora.exe" "$w64/stubs/vldetect.exe" || exit 1

# shoot CAPTION FILE [ARGS...]: runs the program, waits for the window with
# that caption and saves it.
shoot() {
  local caption=$1 file=$2
  shift 2
  wine velora.exe "$@" &
  program_pid=$!
  local rect
  rect=$(timeout 90 wine "$w64/e2e_tests.exe" --wait-window "$caption" 60000 | tr -d '\r')
  [ -n "$rect" ] || { echo "no window \"$caption\"" >&2; return 1; }
  sleep 2  # the idle-time update fills the status bar
  read -r left top right bottom <<<"$rect"
  import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+$left+$top" \
    +repage "$out/$file" || return 1
  timeout 30 wine "$w64/e2e_tests.exe" --close-window "$caption" 10000 >/dev/null
  wait "$program_pid" 2>/dev/null
  program_pid=
  echo "$out/$file"
}

shoot " Velora 2001 v5.1" main-window.png || exit 1
shoot "About Velora" about-box.png /about || exit 1
