#!/bin/bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS
# (default 60), starting from a copy of its seed corpus. New crash inputs land
# in build/fuzz/crashes/<name>/; copy them to tests/fuzz/crashes/<name>/ once
# fixed, so that `make test` replays them. FUZZ_MAX_LEN bounds an input
# (8192 bytes by default: room for a registry of a few dozen adapters).
set -e
cd "$(dirname "$0")/.."
tools/install-deps.sh clang
seconds=${FUZZ_SECONDS:-60}
max_len=${FUZZ_MAX_LEN:-8192}
out=${BUILD:-build}/fuzz
cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_COMPILER=clang -DVELORA_FUZZ=ON >/dev/null
targets=$(ls tests/fuzz/*_fuzz.cpp | sed -E 's#.*/([a-z0-9_]+)_fuzz\.cpp#\1#')
cmake --build "$out" -j "$(nproc)" --target $(printf 'fuzz_%s ' $targets) >/dev/null
printf '| target | executions | seconds | findings |\n|---|---|---|---|\n' > "$out/summary.md"
status=0
for t in $targets; do
  mkdir -p "$out/corpus/$t" "$out/crashes/$t"
  cp -n tests/fuzz/corpus/$t/* "$out/corpus/$t/" 2>/dev/null || true
  log="$out/$t.log"
  if "$out/fuzz_$t" -max_total_time="$seconds" -max_len="$max_len" -artifact_prefix="$out/crashes/$t/" \
      -print_final_stats=1 "$out/corpus/$t" >"$log" 2>&1; then found=0; else found=1; status=1; fi
  execs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
  echo "| $t | ${execs:-?} | $seconds | $found |" >> "$out/summary.md"
done
cat "$out/summary.md"
if [ $status -ne 0 ]; then
  echo "Findings (see $out/<target>.log):"
  ls "$out"/crashes/*/* 2>/dev/null || true
fi
exit $status
