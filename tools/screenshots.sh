#!/bin/bash
# Takes the README's pictures of the program under Xvfb: the main window, the
# About box, the form in its three modes (automatic Dial-Up, automatic LAN,
# manual), the Current Settings dialog and the Find Largest MTU dialog with a
# result, on the Windows 98 machine of the test bench, in a Wine
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
require_build "$w64" velora.exe e2e_tests.exe stubs/vldetect.exe stubs/icmp.dll \
  stubs/rasapi32.dll || exit 1
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

# The MTU finder on the test bench's stand-in path of 1280 bytes: its icmp.dll
# and a dial-up line that is up in place of Wine's, for velora.exe alone.
system=$WINEPREFIX/drive_c/windows/system32
for dll in icmp rasapi32; do
  cp "$system/$dll.dll" "$state/$dll.dll.saved" && cp "$w64/stubs/$dll.dll" "$system/$dll.dll" ||
    exit 1
  wine reg add 'HKCU\Software\Wine\AppDefaults\velora.exe\DllOverrides' /v $dll /d native /f \
    >/dev/null 2>&1
done
wine reg add 'HKLM\SOFTWARE\Velora Test Bench' /v Path /d 1280 /f >/dev/null 2>&1
wine reg add 'HKLM\SOFTWARE\Velora Test Bench' /v DialUp /d connected /f >/dev/null 2>&1
take mtu-finder.png "$frame" mtu
status=$?
for dll in icmp rasapi32; do cp "$state/$dll.dll.saved" "$system/$dll.dll"; done
wine reg delete 'HKCU\Software\Wine\AppDefaults\velora.exe' /f >/dev/null 2>&1
wine reg delete 'HKLM\SOFTWARE\Velora Test Bench' /f >/dev/null 2>&1
[ $status -eq 0 ] || exit 1
