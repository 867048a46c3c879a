#!/bin/bash
# Takes the README's pictures of the program under Xvfb: the main window, the
# About box, the form in its three modes (automatic Dial-Up, automatic LAN,
# manual) and the Current Settings dialog, on the Windows 98 machine of the test bench, in a Wine
# prefix of their own that carries Wine's own fonts (MS Sans Serif, Tahoma,
# Marlett for the caption buttons), so that the windows are drawn as on
# Windows.
#   screenshots.sh WIN64_BUILD_DIR [OUT_DIR]   (OUT_DIR: docs/screenshots)
set -u
w64=$(readlink -f "${1:?usage: screenshots.sh WIN64_BUILD_DIR [OUT_DIR]}")
out=$(readlink -f "${2:-$(dirname "$0")/../docs/screenshots}")
state=$(dirname "$w64")/shots
export WINEPREFIX=$state/prefix WINEARCH=win64

source "$(dirname "$0")/wine-common.sh"
require_build "$w64" velora.exe e2e_tests.exe stubs/vldetect.exe || exit 1
mkdir -p "$state" "$out"
trap finish EXIT
start_xvfb || exit 1
make_prefix || exit 1
install_win98 "$w64" "$w64/velora.exe" "$w64/stubs/vldetect.exe" || exit 1

driver=$w64/e2e_tests.exe
frame=" Velora 2001 v5.1"
take() {
  shoot "$driver" "$out/$1" "${@:2}" && echo "$out/$1"
}
take main-window.png "$frame" || exit 1
take about-box.png "About Velora" "" /about || exit 1
for mode in dialup lan manual; do
  take "form-$mode.png" "$frame" "$mode" || exit 1
done
take current-settings.png "$frame" settings || exit 1
