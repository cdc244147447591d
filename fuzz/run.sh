#!/usr/bin/env bash
# A fuzzing campaign: fuzz/run.sh TARGET SECONDS [libFuzzer options...]
# Builds the targets, then fuzzes TARGET for SECONDS with libFuzzer's default settings (its memory limits
# included: -rss_limit_mb=2048, and a single allocation above that is an out-of-memory finding). The
# campaign works on a copy of the seeds in build-fuzz/corpus/TARGET, which keeps what earlier campaigns
# found; the seeds in the repository are only read. Crashes, timeouts and out-of-memory inputs are
# written to build-fuzz/findings/TARGET/; each finding is mended and becomes a seed in fuzz/corpus/TARGET/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 2 ]; then
  echo "usage: fuzz/run.sh TARGET SECONDS [libFuzzer options...]" >&2
  echo "targets: $(ls "$root/fuzz/corpus" | tr '\n' ' ')" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2
[ -d "$root/fuzz/corpus/$target" ] || { echo "run.sh: no target named $target" >&2; exit 2; }

"$root/fuzz/build.sh"
corpus="$root/build-fuzz/corpus/$target"
findings="$root/build-fuzz/findings/$target"
mkdir -p "$corpus" "$findings"
source "$root/fuzz/env.sh"
cp -n "$root/fuzz/corpus/$target/"* "$corpus/"
exec "$root/build-fuzz/fuzz/${target}_fuzzer" -max_total_time="$seconds" -artifact_prefix="$findings/" \
  "$@" "$corpus"
