#!/bin/bash
# The benchmarks behind `make bench`: builds the bench programs, runs them
# natively and under Wine, prints one table and writes it to $BUILD/bench.md.
# Expects the x86-64 and i686 build folders of `make` to be configured.
#   BUILD        build folder (default build)
#   BENCH_RUNS   repetitions of each Wine figure (default 15; the Apply takes
#                a third of them, at least 3; the start-ups, whose ratios lie
#                within a few per cent of each other, twice as many)
#   BENCH_ONLY   "probe": only the MTU probe's figures (native, a few seconds);
#                "startup": only the start-up rows and traces under Wine,
#                written to $BUILD/bench-startup.md
#   BENCH_ARCH   with BENCH_ONLY=startup: "win64" or "win32" for one program
#                kind only (both by default)
# Each program is measured beside a floor built for its own target by its own
# rules: the x86-64 ones in a 64-bit Wine prefix, the i686 ones in a 32-bit
# prefix where the host runs 32-bit code at all.
set -u
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
out=$BUILD/bench
runs=${BENCH_RUNS:-15}
apply_runs=$(( runs / 3 > 3 ? runs / 3 : 3 ))
start_runs=$(( runs * 2 ))
jobs=$(nproc)
mkdir -p "$out"
: > "$out/native.json"
only=${BENCH_ONLY:-}
# The 1-minute load average as the run begins, for the report's header.
load_before=$(cut -d' ' -f1 /proc/loadavg 2>/dev/null)

# Google Benchmark is optional for everything else; without it the native
# rows say so.
if [ -z "$only" ] || [ "$only" = probe ]; then
  tools/install-deps.sh benchmark ||
    echo "bench: Google Benchmark is missing, native rows are left out" >&2
fi

# The MTU probe on scripted paths: native, a few seconds.
probe_bench() {
  : > "$out/probe.json"
  cmake -S . -B "$out/native" -DCMAKE_BUILD_TYPE=Release -DVELORA_BENCH=ON >/dev/null || return 1
  if cmake --build "$out/native" --target help | grep probe_bench >/dev/null; then
    cmake --build "$out/native" -j "$jobs" --target probe_bench >/dev/null || return 1
    echo "bench: the MTU probe on scripted paths"
    "$out/native/probe_bench" --benchmark_min_time=0.1 --benchmark_format=json \
      > "$out/probe.json" 2>"$out/probe.log" ||
      echo "bench: the MTU probe benchmark failed (see $out/probe.log)" >&2
  fi
}
if [ "$only" = probe ]; then
  probe_bench || exit 1
  python3 bench/report.py --probe "$out/probe.json" --probe-only --out "$BUILD/bench-probe.md"
  exit $?
fi

# Which kinds run: both, unless the start-up part alone is asked for one.
want() { [ "$only" != startup ] || [ -z "${BENCH_ARCH:-}" ] || [ "$BENCH_ARCH" = "$1" ]; }

echo "bench: building both programs, their companions and the bench programs"
if want win64; then
  cmake --build "$BUILD/win64" -j "$jobs" --target velora vldetect stub_vldetect >/dev/null || exit 1
fi
# e2e_driver builds the i686 stand-in companion with the test programs.
if want win32; then
  cmake --build "$BUILD/win32" -j "$jobs" --target velora vldetect e2e_driver >/dev/null || exit 1
fi
if [ -z "$only" ]; then
  cmake -S . -B "$out/native" -DCMAKE_BUILD_TYPE=Release -DVELORA_BENCH=ON >/dev/null || exit 1
  if cmake --build "$out/native" --target help | grep registry_bench >/dev/null; then
    cmake --build "$out/native" -j "$jobs" --target registry_bench >/dev/null || exit 1
  fi
fi
for arch in win64:mingw-x86_64 win32:mingw-i686; do
  want "${arch%%:*}" || continue
  tree=$out/${arch%%:*}
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DVELORA_BENCH=ON --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="cmake/${arch#*:}.cmake" >/dev/null 2>&1 || exit 1
  cmake --build "$tree" -j "$jobs" --target bench_driver floor fair_floor idle_floor velora_trace \
    >/dev/null || exit 1
done

if [ -z "$only" ]; then
  # The setup, packed afresh from these builds when NSIS is at hand.
  rm -f "$out/velora-setup.exe"
  if command -v makensis >/dev/null && [ -x tools/release/make-installer.sh ]; then
    tools/release/make-installer.sh "$BUILD/win32/velora.exe" "$BUILD/win64/velora.exe" \
      "$out/velora-setup.exe" >/dev/null 2>&1 \
      || echo "bench: the setup could not be built; its size is left out" >&2
  fi

  if [ -x "$out/native/registry_bench" ]; then
    echo "bench: registry work against the in-memory registry"
    "$out/native/registry_bench" --benchmark_repetitions="$runs" \
      --benchmark_enable_random_interleaving=true \
      --benchmark_min_time=0.2 --benchmark_format=json > "$out/native.json" 2>"$out/native.log" \
      || echo "bench: the native registry benchmark failed (see $out/native.log)" >&2
  fi

  probe_bench || echo "bench: the MTU probe benchmark could not be built" >&2
fi

# ---- Wine: prefixes of the bench's own, made like the test bench's, and
# its own X display when none is set.
source tools/wine-common.sh
prefixes=()
end_all() {
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX=$p timeout 20 wineserver -k 2>/dev/null; done
  finish
}
trap end_all EXIT
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb || { echo "bench: no free X display" >&2; exit 1; }
fi

# bench_arch ARCH WINEARCH PREFIX: every Wine figure of one program kind;
# each driver mode appends its JSON lines to $out/wine-ARCH.jsonl.
bench_arch() {
  local arch=$1 winearch=$2
  local results=$out/wine-$arch.jsonl
  : > "$results"
  export WINEARCH=$winearch WINEPREFIX=$3
  prefixes+=("$WINEPREFIX")
  [ -f "$WINEPREFIX/.velora-ready" ] || echo "bench: making the $winearch Wine prefix $WINEPREFIX"
  make_prefix || { echo "bench: the $winearch Wine prefix could not be made" >&2; return 1; }
  local driver=$out/$arch/bench_driver.exe
  local stub=$BUILD/$arch/stubs/vldetect.exe
  local programs=(--velora="$(to_windows "$BUILD/$arch/velora.exe")"
                  --companion="$(to_windows "$stub")"
                  --floor="$(to_windows "$out/$arch/floor.exe")"
                  --fair-floor="$(to_windows "$out/$arch/fair_floor.exe")"
                  --traced="$(to_windows "$out/$arch/velora_trace.exe")")
  run_driver() {
    local mode=$1; shift
    echo "bench: $mode under Wine ($arch)"
    timeout -k 10 1800 wine "$driver" "$mode" "$@" >>"$results" 2>>"$out/wine-$arch.log" \
      || echo "{\"kind\":\"$mode\",\"what\":\"driver\",\"problem\":\"the driver ended with status $?\"}" >>"$results"
  }
  if [ -f "$BUILD/$arch/velora.exe" ] && [ -f "$stub" ]; then
    run_driver startup --runs="$start_runs" "${programs[@]}"
    run_driver trace --runs="$start_runs" "${programs[@]}"
    [ -z "$only" ] && run_driver apply --runs="$apply_runs" "${programs[@]}"
  else
    for mode in startup trace apply; do
      echo "{\"kind\":\"$mode\",\"what\":\"velora\",\"problem\":\"$BUILD/$arch/velora.exe or its stand-in companion is not built\"}" >>"$results"
    done
  fi
  [ -n "$only" ] && return 0
  # The registry work is the same code in both programs; one kind measures it.
  [ "$arch" = win64 ] && run_driver registry --runs="$runs"
  run_driver idle --vldetect="$(to_windows "$BUILD/$arch/vldetect.exe")" \
    --idle-floor="$(to_windows "$out/$arch/idle_floor.exe")"
}

skipped() {
  for mode in startup trace apply idle; do
    echo "{\"kind\":\"$mode\",\"what\":\"driver\",\"problem\":\"$1\"}"
  done > "$out/wine-$2.jsonl"
}
if want win64; then
  bench_arch win64 win64 "$(readlink -f "$out")/prefix"
else
  skipped "left out (BENCH_ARCH=$BENCH_ARCH)" win64
fi
if ! want win32; then
  skipped "left out (BENCH_ARCH=$BENCH_ARCH)" win32
elif can_run_32bit; then
  bench_arch win32 win32 "$(readlink -f "$out")/prefix32"
else
  echo "bench: this host runs no 32-bit code; the i686 rows are not measured"
  skipped "this host runs no 32-bit code" win32
fi

if [ "$only" = startup ]; then
  python3 bench/report.py --startup-only --wine64 "$out/wine-win64.jsonl" \
    --wine32 "$out/wine-win32.jsonl" --wine-version "$(wine --version 2>/dev/null)" \
    --load-before "$load_before" --out "$BUILD/bench-startup.md"
  exit $?
fi

python3 bench/report.py --build "$BUILD" --native "$out/native.json" --probe "$out/probe.json" \
  --wine64 "$out/wine-win64.jsonl" --wine32 "$out/wine-win32.jsonl" \
  --wine-version "$(wine --version 2>/dev/null)" --load-before "$load_before" \
  --out "$BUILD/bench.md"
