#!/bin/bash
# Runs the Wine end-to-end tests: one Wine prefix and one Xvfb display per
# test run, shared by the suites.
#   wine-e2e.sh setup   STATE_DIR WIN64_BUILD_DIR
#   wine-e2e.sh run     STATE_DIR WIN64_BUILD_DIR GTEST_FILTER
#   wine-e2e.sh cleanup STATE_DIR WIN64_BUILD_DIR
set -u
PATH=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-bin:$PATH
cmd=$1 state=$2 w64=$3
prefix=$state/prefix
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

to_windows() { echo "Z:$(readlink -f "$1")" | tr / '\\'; }

start_xvfb() {
  for n in $(seq 91 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    echo $! > "$state/xvfb.pid"
    for _ in $(seq 1 100); do
      [ -e /tmp/.X11-unix/X$n ] && { echo ":$n" > "$state/display"; return 0; }
      sleep 0.05
    done
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null
  done
  echo "no free X display" >&2
  return 1
}

case $cmd in
  setup)
    [ -f "$w64/velora.exe" ] && [ -f "$w64/e2e_tests.exe" ] || { echo "missing $w64/velora.exe or e2e_tests.exe" >&2; exit 1; }
    mkdir -p "$state"
    [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    timeout 20 wineserver -k 2>/dev/null
    timeout 20 wineserver -w 2>/dev/null
    rm -rf "$prefix"
    start_xvfb || exit 1
    export DISPLAY=$(cat "$state/display")
    ok=
    for attempt in 1 2; do
      timeout 150 wineboot -i >/dev/null 2>&1 && { ok=1; break; }
      timeout 20 wineserver -k 2>/dev/null; sleep 1; rm -rf "$prefix"
    done
    [ -n "$ok" ] || { echo "wineboot failed" >&2; exit 1; }
    # Wine's own fonts (MS Sans Serif, Tahoma, Marlett): text measures as it
    # draws, and caption buttons show their glyphs.
    cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null
    # No window manager runs under Xvfb: unmanaged windows start fast and get
    # drawn title bars.
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 30 wineserver -w
    echo "prefix ready: $prefix on $DISPLAY"
    ;;
  run)
    filter=$4
    export DISPLAY=$(cat "$state/display" 2>/dev/null || echo :0)
    export VELORA_BUILD_DIR=$(to_windows "$w64")
    timeout -k 10 560 wine "$w64/e2e_tests.exe" --gtest_filter="$filter" --gtest_color=no
    rc=$?
    [ $rc -ne 0 ] && timeout 20 wineserver -k 2>/dev/null
    exit $rc
    ;;
  cleanup)
    timeout 20 wineserver -k 2>/dev/null
    [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    rm -f "$state/xvfb.pid"
    exit 0
    ;;
esac
