#!/usr/bin/env bash
# Fuzzes every parser of outside input: builds the fuzz targets with clang, libFuzzer, address and
# undefined-behaviour sanitizers (every library they link instrumented), runs each target for
# SECONDS (default 60) starting from its seeds, and says what each one found. Run by hand; CI runs
# the short smoke runs of the normal build instead.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET ...]   (no TARGET: every fuzz target)
# The corpus each target grows is kept in build/fuzz/corpus/TARGET for the next run; inputs that
# crash, leak or hang are written to build/fuzz/findings/TARGET/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-60}"
[ $# -gt 0 ] && shift
case "$seconds" in '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS] [TARGET ...]" >&2; exit 2 ;; esac

scripts/setup.sh >&2
cmake --preset fuzz >/dev/null
build="$root/build/fuzz"
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for listing in "$build"/fuzz-targets/*; do targets+=("$(basename "$listing")"); done
fi
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no fuzz targets are configured" >&2; exit 2; }
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}" >&2

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
found=0
summary=()
for target in "${targets[@]}"; do
  listing="$build/fuzz-targets/$target"
  [ -f "$listing" ] || { echo "fuzz: no fuzz target named $target" >&2; exit 2; }
  binary="$(head -n 1 "$listing")"
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  # libFuzzer takes seed directories, not files: the seeds join the corpus.
  while IFS= read -r seed; do
    if [ -n "$seed" ]; then cp -f "$seed" "$corpus/seed-$(basename "$seed")"; fi
  done < <(tail -n +2 "$listing")
  before=$(find "$findings" -type f | wc -l)
  echo "== $target: ${seconds}s" >&2
  status=0
  "$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1 || status=$?
  after=$(find "$findings" -type f | wc -l)
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  if [ "$status" -ne 0 ] || [ "$after" -gt "$before" ]; then
    found=1
    what=$(grep -m 1 -o 'ERROR: [A-Za-z]*Sanitizer: [a-z-]*\|runtime error: .*\|ERROR: libFuzzer: [a-z-]*' "$log" || echo "exit status $status")
    summary+=("$target: FOUND $what; inputs in $findings, log $log")
  else
    summary+=("$target: nothing found in ${seconds}s (${runs:-?} runs, ${edges:-?} edges)")
  fi
done

echo
printf '%s\n' "${summary[@]}"
if [ "$found" -ne 0 ]; then
  echo "Each input found: replay it with the target's binary, mend the fault, and keep the input as a"
  echo "seed and as a test case."
fi
exit "$found"
