#!/usr/bin/env bash
# The fuzz regression run: every target over each of its seeds in fuzz/corpus/<target>/, once. Fails when a
# target crashes, times out or runs out of memory on any seed (libFuzzer's default limits).
#
# Seeds named in fuzz/open-findings.txt are faults found but not mended yet: each is run alone and reported,
# without failing the run; once one passes, the report says so and its line should go.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/fuzz/build.sh"

source "$root/fuzz/env.sh"

failed=()
for folder in "$root"/fuzz/corpus/*/; do
  target=$(basename "$folder")
  fuzzer="$root/build-fuzz/fuzz/${target}_fuzzer"
  seeds=()
  for seed in "$folder"*; do
    if is_open_finding "$target/$(basename "$seed")"; then
      if "$fuzzer" "$seed" >/dev/null 2>&1; then
        echo "fuzz regression: $target/$(basename "$seed") now passes: take it off fuzz/open-findings.txt"
      else
        echo "fuzz regression: $target/$(basename "$seed") still fails (an open finding)"
      fi
    else
      seeds+=("$seed")
    fi
  done
  log="$root/build-fuzz/regress-$target.log"
  if "$fuzzer" "${seeds[@]}" >"$log" 2>&1; then
    echo "fuzz regression: $target passed on ${#seeds[@]} seeds"
  else
    echo "fuzz regression: $target FAILED (log: $log)" >&2
    grep -E '^(Running|==[0-9]+==ERROR|SUMMARY)|runtime error' "$log" | tail -n 5 >&2 || true
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz regression: failed: ${failed[*]}" >&2
  exit 1
fi
