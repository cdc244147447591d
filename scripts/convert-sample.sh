#!/usr/bin/env bash
# Converts a sample document shipped with the program, on a fresh machine:
#   scripts/convert-sample.sh [OUTPUT-FOLDER] [SAMPLE]
# Installs what the build needs, builds the program (build-release/), copies the sample (a file of
# resources/Test Files/: "Tea 2007.docx" unless named, or "Tea 2003.xml") into OUTPUT-FOLDER (default: sample-output/ in the
# current folder) and converts the copy there, beside it, to RTF. Says where the output went.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-sample-output}
sample=${2:-Tea 2007.docx}

"$root/scripts/install-deps.sh"
build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOSTRANDIMEKO_TESTS=OFF \
  -DVOSTRANDIMEKO_BENCH=OFF >/dev/null
cmake --build "$build" --target vostrandimeko >/dev/null

mkdir -p "$out"
cp "$root/resources/Test Files/$sample" "$out/"
status=0
"$build/bin/vostrandimeko" "$out/$sample" || status=$?
if [ "$status" -ne 0 ]; then
  echo "convert-sample: the conversion failed (status $status)" >&2
  exit "$status"
fi
echo "Converted: $(cd "$out" && pwd)/${sample%.*}.rtf"
