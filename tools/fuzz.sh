#!/bin/bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS
# (default 60), starting from a copy of its seed corpus. A target that has not
# made FUZZ_MIN_RUNS executions (a million by default) by then runs on until
# it has, so that a loaded machine or a slow target still gets its share; it
# stops at the latest after FUZZ_SECONDS five times over.
#
# New crash inputs land in build/fuzz/crashes/<name>/; copy them to
# tests/fuzz/crashes/<name>/ once fixed, so that `make test` replays them.
# Each target has its own cap on an input's length (below); FUZZ_MAX_LEN
# sets one for all.
#
# Then each target's corpus is replayed by a build with source-based coverage,
# and the summary (build/fuzz/summary.md) tells how many lines and branches of
# the program it reached, the test stand-ins and the targets themselves left
# out. FUZZ_TARGETS="a b" runs only those targets.
set -e
cd "$(dirname "$0")/.."
tools/install-deps.sh clang
seconds=${FUZZ_SECONDS:-60}
min_runs=${FUZZ_MIN_RUNS:-1000000}
out=${BUILD:-build}/fuzz
# A smaller quarantine keeps freed memory warm instead of paging in fresh
# memory at every allocation; use-after-free within the last 16 MB freed is
# still caught. The stacks of allocations are left out of reports: replay the
# input with build/fuzz/replay_<name> to get them.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=0}

# The longest input worth trying: room for what the target reads and a little
# more, no more, since a longer input only takes longer.
max_len_of() {
  case $1 in
    adapters|custom_edit) echo 8192 ;;  # a registry of a few dozen adapters; long typing
    open_url|verb) echo 1024 ;;         # the opener command is cut at 260 bytes
    companion) echo 512 ;;              # a hundred events; long values are made, not read
    settings_store) echo 2048 ;;        # a value past the 1000-byte read and a few more
    *) echo 4096 ;;                     # values and files past the 1000-byte reads
  esac
}

cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_COMPILER=clang -DVELORA_FUZZ=ON -DVELORA_FUZZ_COVERAGE=ON >/dev/null
targets=${FUZZ_TARGETS:-$(ls tests/fuzz/*_fuzz.cpp | sed -E 's#.*/([a-z0-9_]+)_fuzz\.cpp#\1#')}
cmake --build "$out" -j "$(nproc)" --target $(printf 'fuzz_%s ' $targets) $(printf 'cover_%s ' $targets) >/dev/null

executions() { awk '/stat::number_of_executed_units/ {n += $2} END {print n + 0}' "$1"; }
# Lines and branches of the program reached: "lines/all lines, branches/all".
coverage() {
  local t=$1 profile="$out/coverage/$1"
  mkdir -p "$profile"
  rm -f "$profile"/*.profraw
  LLVM_PROFILE_FILE="$profile/%p.profraw" "$out/cover_$t" "$out/corpus/$t" >/dev/null 2>&1 || true
  llvm-profdata merge -sparse "$profile"/*.profraw -o "$profile/merged.profdata" 2>/dev/null || return 0
  llvm-cov report "$out/cover_$t" -instr-profile="$profile/merged.profdata" \
      -ignore-filename-regex='(^|/)(tests|platform/mem)/|^/usr/' 2>/dev/null |
    awk '$1 == "TOTAL" {printf "%d/%d, %d/%d", $8 - $9, $8, $11 - $12, $11}'
}

printf '| target | executions | seconds | program lines, branches reached | findings |\n' > "$out/summary.md"
printf '|---|---|---|---|---|\n' >> "$out/summary.md"
status=0
for t in $targets; do
  mkdir -p "$out/corpus/$t" "$out/crashes/$t"
  cp -n tests/fuzz/corpus/$t/* "$out/corpus/$t/" 2>/dev/null || true
  log="$out/$t.log"
  args=(-max_len="${FUZZ_MAX_LEN:-$(max_len_of "$t")}" -artifact_prefix="$out/crashes/$t/"
        -print_final_stats=1)
  start=$SECONDS
  found=0
  "$out/fuzz_$t" -max_total_time="$seconds" "${args[@]}" "$out/corpus/$t" >"$log" 2>&1 || found=1
  done_runs=$(executions "$log")
  if [ $found = 0 ] && [ "$done_runs" -lt "$min_runs" ]; then
    "$out/fuzz_$t" -runs=$((min_runs - done_runs)) -max_total_time=$((4 * seconds)) "${args[@]}" \
      "$out/corpus/$t" >>"$log" 2>&1 || found=1
  fi
  [ $found = 0 ] || status=1
  echo "| $t | $(executions "$log") | $((SECONDS - start)) | $(coverage "$t") | $found |" >> "$out/summary.md"
done
cat "$out/summary.md"
if [ $status -ne 0 ]; then
  echo "Findings (see $out/<target>.log):"
  ls "$out"/crashes/*/* 2>/dev/null || true
fi
exit $status
