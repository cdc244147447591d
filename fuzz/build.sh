#!/usr/bin/env bash
# Configures and builds the fuzz targets into build-fuzz/ (clang 19, libFuzzer, ASan + UBSan): only the
# libraries the targets need and the targets themselves.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
CC=clang-19 CXX=clang++-19 cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVOSTRANDIMEKO_FUZZ=ON >/dev/null
cmake --build "$root/build-fuzz"
