#!/bin/bash
# Runs the Wine end-to-end tests against one of the two programs: one Wine
# prefix and one Xvfb display per program, shared by its suites.
#   wine-e2e.sh setup   STATE ARCH BUILD WIN32_BUILD RELEASE
#   wine-e2e.sh run     STATE ARCH BUILD WIN32_BUILD RELEASE GTEST_FILTER
#   wine-e2e.sh cleanup STATE ARCH BUILD WIN32_BUILD RELEASE
# ARCH is win32 (the i686 build and its driver in a 32-bit prefix) or win64
# (the x86-64 build in a 64-bit prefix). BUILD holds velora.exe, the driver
# e2e_tests.exe and the stand-ins (stubs/); WIN32_BUILD the i686 program that
# the 64-bit prefix also runs as a 32-bit program on 64-bit Windows; RELEASE
# the setups. Exits with 77 (ctest: skipped) where this host cannot run the
# suite at all, and says why.
set -u
cmd=$1 state=$2 arch=$3 build=$4 win32=$5 release=$6
export WINEPREFIX=$state/prefix WINEARCH=$arch
source "$(dirname "$0")/wine-common.sh"
skipped=77

# check_display: the suites of this prefix run on the display its setup
# started, served by that Xvfb, and no other prefix's display is the same:
# two prefixes on one display move each other's pointer and take each
# other's focus.
check_display() {
  local display pid other
  display=$(cat "$state/display" 2>/dev/null)
  pid=$(cat "$state/xvfb.pid" 2>/dev/null)
  if [ -z "$display" ] || ! xvfb_serves "${display#:}" "$pid"; then
    echo "the X display ${display:-(none)} of the $arch prefix is not served by the Xvfb" \
         "its setup started (pid ${pid:-none}): run its setup again" \
         "(ctest -R 'e2e\.$arch\.')" >&2
    return 1
  fi
  # A prefix whose Xvfb has ended (a run stopped half way) holds no display.
  for other in "$(dirname "$state")"/wine-e2e-*/display; do
    [ "$other" -ef "$state/display" ] || [ ! -f "$other" ] && continue
    kill -0 "$(cat "$(dirname "$other")/xvfb.pid" 2>/dev/null)" 2>/dev/null || continue
    if [ "$(cat "$other")" = "$display" ]; then
      echo "the X display $display of the $arch prefix is also the one of $(dirname "$other")" >&2
      return 1
    fi
  done
}

case $cmd in
  setup)
    mkdir -p "$state"
    rm -f "$state/skip" "$state/run32" "$state/display"
    [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    if can_run_32bit; then echo 1 > "$state/run32"; else echo 0 > "$state/run32"; fi
    if [ "$arch" = win32 ] && [ "$(cat "$state/run32")" = 0 ]; then
      echo "this host runs 64-bit code only: the 32-bit Wine prefix cannot start," \
           "so the i686 program's suites are skipped" | tee "$state/skip"
      exit $skipped
    fi
    for f in velora.exe e2e_tests.exe; do
      [ -f "$build/$f" ] || { echo "missing $build/$f" >&2; exit 1; }
    done
    start_xvfb || exit 1
    echo "$xvfb_pid" > "$state/xvfb.pid"
    echo "$DISPLAY" > "$state/display"
    make_prefix fresh || exit 1
    echo "prefix ready: $WINEPREFIX ($arch) on $DISPLAY"
    ;;
  run)
    filter=$7
    if [ -f "$state/skip" ]; then
      cat "$state/skip"
      exit $skipped
    fi
    check_display || exit 1
    export DISPLAY=$(cat "$state/display")
    export VELORA_BUILD_DIR=$(to_windows "$build")
    export VELORA_ARCH=$arch
    # The 64-bit prefix runs the shipped 32-bit setup and the i686 program
    # only where the host runs 32-bit code; elsewhere the setup is the same
    # script built as a 64-bit program.
    export VELORA_RUN32=$(cat "$state/run32")
    export VELORA_WIN32_BUILD_DIR=$(to_windows "$win32")
    if [ "$VELORA_RUN32" = 1 ]; then
      export VELORA_SETUP=$(to_windows "$release/velora-setup.exe")
    else
      export VELORA_SETUP=$(to_windows "$release/velora-setup-amd64.exe")
    fi
    log=$state/last-run.log
    # Into a file rather than a pipe: a program a test left running would
    # hold a pipe open, and the run with it, until ctest's timeout.
    timeout -k 10 560 wine "$build/e2e_tests.exe" --gtest_filter="$filter" --gtest_color=no \
      >"$log" 2>&1
    rc=$?
    cat "$log"
    [ $rc -ne 0 ] && timeout 20 wineserver -k 2>/dev/null
    # A suite whose every test skipped itself (it cannot run on this host)
    # counts as skipped, not as passed.
    if [ $rc -eq 0 ] && grep -q '^\[  SKIPPED \]' "$log" && grep -q '^\[  PASSED  \] 0 tests' "$log"; then
      exit $skipped
    fi
    exit $rc
    ;;
  cleanup)
    timeout 20 wineserver -k 2>/dev/null
    [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    rm -f "$state/xvfb.pid" "$state/display"
    exit 0
    ;;
esac
