# The one Wine prefix maker, shared by the test bench, the benchmarks, the
# demo and the screenshots. Source it after setting WINEPREFIX and WINEARCH
# (win64 unless said otherwise).
PATH=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-bin:$PATH
export WINEARCH=${WINEARCH:-win64} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=
program_pid=

# Ends the program, the prefix's Wine server and our Xvfb.
finish() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  timeout 20 wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}

# start_xvfb: starts an Xvfb of our own, exports DISPLAY and sets xvfb_pid.
# Xvfb picks a free display itself and reports it (-displayfd): two starts
# at one moment, as the two prefixes' setups make, cannot both take one
# display, which a scan for a free number followed by a start could. The
# display is then checked to be served by the process we started.
start_xvfb() {
  local report n=
  report=$(mktemp "${TMPDIR:-/tmp}/velora-xvfb.XXXXXX") || return 1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$report" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 200); do
    # read succeeds only on a whole line: the number has been written.
    read -r n <"$report" && break
    n=
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$report"
  if [ -z "$n" ] || ! xvfb_serves "$n" "$xvfb_pid"; then
    echo "Xvfb did not start a display of its own${n:+ (it reported :$n)}" >&2
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=
    return 1
  fi
  export DISPLAY=:$n
}

# xvfb_serves N PID: whether display N is served by process PID, that is,
# every socket listening under the display's name (the file
# /tmp/.X11-unix/XN and its abstract twin, which X clients try first) is
# one of that process's.
xvfb_serves() {
  local n=$1 pid=$2 inodes inode fds
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 1
  # /proc/net/unix: Num RefCount Protocol Flags Type St Inode Path; the flag
  # 00010000 marks a listening socket.
  inodes=$(awk -v f="/tmp/.X11-unix/X$n" -v a="@/tmp/.X11-unix/X$n" \
    '$4 == "00010000" && ($8 == f || $8 == a) { print $7 }' /proc/net/unix)
  [ -n "$inodes" ] || return 1
  fds=$(for fd in /proc/"$pid"/fd/*; do readlink "$fd"; done 2>/dev/null)
  for inode in $inodes; do
    grep -qxF "socket:[$inode]" <<<"$fds" || return 1
  done
}

# can_run_32bit: whether this host runs 32-bit x86 code at all. Some hosts
# run 64-bit user code only; there neither wine32 nor a 32-bit program in a
# 64-bit prefix can start.
can_run_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# make_prefix [fresh]: a Wine prefix of WINEARCH's kind with unmanaged windows
# (no window manager runs under Xvfb; they then get drawn title bars and
# start fast) and Wine's own fonts (MS Sans Serif, Tahoma, Marlett), so that
# text measures as it draws and dialogs keep their designed size. Kept and
# reused unless "fresh" is given.
make_prefix() {
  [ "${1:-}" != fresh ] && [ -f "$WINEPREFIX/.velora-ready" ] && return 0
  timeout 20 wineserver -k 2>/dev/null
  timeout 20 wineserver -w 2>/dev/null
  rm -rf "$WINEPREFIX"
  local ok= attempt
  for attempt in 1 2; do
    timeout 180 wineboot -i >/dev/null 2>&1 && { ok=1; break; }
    timeout 20 wineserver -k 2>/dev/null
    sleep 1
    rm -rf "$WINEPREFIX"
  done
  [ -n "$ok" ] || { echo "wineboot failed ($WINEARCH prefix $WINEPREFIX)" >&2; return 1; }
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 30 wineserver -w
  local fonts=/usr/share/wine/fonts
  if ! ls "$fonts"/*.ttf >/dev/null 2>&1; then
    echo "Wine's fonts are missing ($fonts): install fonts-wine (tools/install-deps.sh)" >&2
    return 1
  fi
  cp "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
  touch "$WINEPREFIX/.velora-ready"
}

# to_windows PATH: the Windows name of a host path inside any prefix.
to_windows() { echo "Z:$(readlink -f "$1")" | tr / '\\'; }

# install_win98 BUILD_DIR FILE...: seeds the Windows 98 machine with the
# install folder C:\Velora\, as a setup would leave it, copies the files there
# and enters it ($install). BUILD_DIR holds the test driver e2e_tests.exe.
install_win98() {
  local build=$1
  shift
  timeout 60 wine "$build/e2e_tests.exe" --seed=win98 'C:\Velora\' ||
    { echo "seeding the machine failed" >&2; return 1; }
  install=$WINEPREFIX/drive_c/Velora
  mkdir -p "$install"
  cp "$@" "$install/" && cd "$install"
}

# require_build BUILD_DIR FILE...: says which file of the build is missing.
require_build() {
  local build=$1 f
  shift
  for f in "$@"; do
    [ -f "$build/$f" ] || { echo "missing $build/$f: build it first (make win64)" >&2; return 1; }
  done
}

# shoot DRIVER FILE CAPTION [MODE [ARGS...]]: runs velora.exe ARGS from the
# current folder (install_win98's), lets the test driver DRIVER wait until
# the program's window titled CAPTION stands painted on the screen (the main
# window after its first idle-time updates, with its form put in MODE when
# that is not empty), saves that window as FILE and closes the program.
shoot() {
  local driver=$1 file=$2 caption=$3 mode=${4:-} rect left top right bottom
  shift $(($# < 4 ? $# : 4))
  wine velora.exe "$@" &
  program_pid=$!
  rect=$(timeout 90 wine "$driver" --wait-window "$caption" 60000 $mode | tr -d '\r')
  [ -n "$rect" ] || { echo "no window \"$caption\" ${mode:+in mode $mode}" >&2; return 1; }
  read -r left top right bottom <<<"$rect"
  # Unmanaged windows may stand partly off screen; keep the crop on it.
  ((left < 0)) && left=0
  ((top < 0)) && top=0
  import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+$left+$top" \
    +repage "$file" || return 1
  timeout 30 wine "$driver" --close-window "$caption" 10000 >/dev/null
  wait "$program_pid" 2>/dev/null
  program_pid=
}
