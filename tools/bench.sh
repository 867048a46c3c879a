#!/bin/bash
# The benchmarks behind `make bench`: builds the bench programs, runs them
# natively and under Wine, prints one table and writes it to $BUILD/bench.md.
# Expects the x86-64 and i686 build folders of `make` to be configured.
#   BUILD        build folder (default build)
#   BENCH_RUNS   repetitions of each Wine figure (default 15; the Apply takes
#                a third of them, at least 3)
set -u
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
out=$BUILD/bench
runs=${BENCH_RUNS:-15}
apply_runs=$(( runs / 3 > 3 ? runs / 3 : 3 ))
jobs=$(nproc)
mkdir -p "$out"
results=$out/wine.jsonl
: > "$results"
: > "$out/native.json"

# Google Benchmark is optional for everything else; without it the native
# rows say so.
tools/install-deps.sh benchmark || echo "bench: Google Benchmark is missing, native rows are left out" >&2

echo "bench: building velora.exe of both kinds and the bench programs"
cmake --build "$BUILD/win64" -j "$jobs" --target velora vldetect stub_vldetect >/dev/null || exit 1
cmake --build "$BUILD/win32" -j "$jobs" --target velora >/dev/null || exit 1
cmake -S . -B "$out/native" -DCMAKE_BUILD_TYPE=Release -DVELORA_BENCH=ON >/dev/null || exit 1
if cmake --build "$out/native" --target help | grep registry_bench >/dev/null; then
  cmake --build "$out/native" -j "$jobs" --target registry_bench >/dev/null || exit 1
fi
cmake -S . -B "$out/win64" -DCMAKE_BUILD_TYPE=Release -DVELORA_BENCH=ON --no-warn-unused-cli \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null 2>&1 || exit 1
cmake --build "$out/win64" -j "$jobs" --target bench_driver floor idle_floor >/dev/null || exit 1

# The setup, packed afresh from this i686 build when NSIS is at hand.
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

# ---- Wine: one prefix of the bench's own, made like the test bench's, and
# its own X display when none is set.
export WINEPREFIX=$(readlink -f "$out")/prefix WINEARCH=win64
source tools/wine-common.sh
trap finish EXIT
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb 141 190 || { echo "bench: no free X display" >&2; exit 1; }
fi
[ -f "$WINEPREFIX/.velora-ready" ] || echo "bench: making the Wine prefix $WINEPREFIX"
make_prefix || { echo "bench: the Wine prefix could not be made" >&2; exit 1; }

driver=$out/win64/bench_driver.exe
programs=(--velora="$(to_windows "$BUILD/win64/velora.exe")"
          --companion="$(to_windows "$BUILD/win64/stubs/vldetect.exe")"
          --floor="$(to_windows "$out/win64/floor.exe")")
run_driver() {
  local mode=$1; shift
  echo "bench: $mode under Wine"
  timeout -k 10 1800 wine "$driver" "$mode" "$@" >>"$results" 2>>"$out/wine.log" \
    || echo "{\"kind\":\"$mode\",\"what\":\"driver\",\"problem\":\"the driver ended with status $?\"}" >>"$results"
}
if [ -f "$BUILD/win64/velora.exe" ] && [ -f "$BUILD/win64/stubs/vldetect.exe" ]; then
  run_driver startup --runs="$runs" "${programs[@]}"
  run_driver apply --runs="$apply_runs" "${programs[@]}"
else
  echo "{\"kind\":\"startup\",\"what\":\"velora\",\"problem\":\"$BUILD/win64/velora.exe or its stubs are not built\"}" >>"$results"
  echo "{\"kind\":\"apply\",\"what\":\"velora\",\"problem\":\"$BUILD/win64/velora.exe or its stubs are not built\"}" >>"$results"
fi
run_driver registry --runs="$runs"
run_driver idle --vldetect="$(to_windows "$BUILD/win64/vldetect.exe")" \
  --idle-floor="$(to_windows "$out/win64/idle_floor.exe")"

python3 bench/report.py --build "$BUILD" --native "$out/native.json" --wine "$results" \
  --wine-version "$(wine --version 2>/dev/null)" --out "$BUILD/bench.md"
