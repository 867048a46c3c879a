# Shared by the scripts that run velora.exe in a Wine prefix of their own
# (demo, screenshots). Source it after setting WINEPREFIX.

PATH=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-bin:$PATH

xvfb_pid=
program_pid=

# Ends the program, the prefix's Wine server and our Xvfb.
finish() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  timeout 20 wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}

# start_xvfb FIRST LAST: starts Xvfb on the first free display in that range
# and exports DISPLAY.
start_xvfb() {
  local n
  for n in $(seq "$1" "$2"); do
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

# make_prefix: once per prefix, a fresh Wine prefix with unmanaged windows (no
# window manager runs under Xvfb; they then get drawn title bars) and Wine's
# own fonts (MS Sans Serif, Tahoma, Marlett), so windows look as on Windows.
make_prefix() {
  [ -f "$WINEPREFIX/.velora-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  timeout 180 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; return 1; }
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 30 wineserver -w
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
  touch "$WINEPREFIX/.velora-ready"
}

# install_win98 W64_BUILD_DIR FILE...: seeds the Windows 98 machine with the
# install folder C:\Velora\, as a setup would leave it, copies the files there
# and enters it ($install).
install_win98() {
  local w64=$1
  shift
  timeout 60 wine "$w64/e2e_tests.exe" --seed=win98 'C:\Velora\' ||
    { echo "seeding the machine failed" >&2; return 1; }
  install=$WINEPREFIX/drive_c/Velora
  mkdir -p "$install"
  cp "$@" "$install/" && cd "$install"
}
