#!/bin/bash
# Xvfb displays of the Wine prefixes, the bench, the demo and the
# screenshots: starts made at one moment each get a display of their own,
# served by the process they started, and a display served by another
# process is told apart.
set -u
source "$(dirname "$0")/../../tools/wine-common.sh"
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v Xvfb >/dev/null || { echo "Xvfb is missing: run tools/install-deps.sh"; exit 77; }
for round in 1 2 3; do
  for i in 1 2 3; do
    ( start_xvfb && echo "$DISPLAY $xvfb_pid" >"$work/$round.$i" ) &
  done
  wait
  displays=()
  for i in 1 2 3; do
    read -r display pid <"$work/$round.$i" 2>/dev/null ||
      fail "round $round: start $i got no display"
    pids+=("$pid")
    displays+=("$display")
    xvfb_serves "${display#:}" "$pid" || fail "round $round: $display is not served by its Xvfb $pid"
  done
  [ "$(printf '%s\n' "${displays[@]}" | sort -u | wc -l)" = 3 ] ||
    fail "round $round: three starts at one moment shared a display: ${displays[*]}"
  # Each server is only its own display's.
  xvfb_serves "${displays[0]#:}" "${pids[-1]}" &&
    fail "round $round: ${displays[0]} taken for the display of ${pids[-1]}"
  echo "round $round: ${displays[*]}"
done
kill "${pids[@]}"
wait 2>/dev/null
xvfb_serves "${displays[0]#:}" "${pids[0]}" && fail "an ended Xvfb still counts as serving"
echo "every start had a display of its own"
