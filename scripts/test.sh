#!/usr/bin/env bash
# Set-up, build and every test, from a fresh machine:
#   scripts/test.sh                 -> build/ (Debug, warnings on)
#   scripts/test.sh --sanitize      -> build-asan/ (AddressSanitizer + UndefinedBehaviorSanitizer)
#   scripts/test.sh --release       -> build-release/ (optimised, as the program ships and is measured)
# Extra arguments after the options go to ctest (for example -L foundation).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build="$root/build"
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=Debug)
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build="$root/build-asan"
  cmake_args+=(-DVOSTRANDIMEKO_SANITIZE=ON -DVOSTRANDIMEKO_BENCH=OFF)
elif [ "${1:-}" = "--release" ]; then
  shift
  build="$root/build-release"
  cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=Release)
fi

cmake -S "$root" -B "$build" "${cmake_args[@]}" >/dev/null
cmake --build "$build"
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$(nproc)" "$@"
