#!/usr/bin/env bash
# The fuzz regression run: every target over each of its seeds in fuzz/corpus/<target>/, once. Fails when a
# target crashes, times out or runs out of memory on any seed (libFuzzer's default limits).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/fuzz/build.sh"

source "$root/fuzz/env.sh"

failed=()
for folder in "$root"/fuzz/corpus/*/; do
  target=$(basename "$folder")
  fuzzer="$root/build-fuzz/fuzz/${target}_fuzzer"
  seeds=("$folder"*)
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
