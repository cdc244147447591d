# Sourced by run.sh and regress.sh: the sanitizers' settings for fuzzing, and the symbolizer that turns
# their stack traces into file and line (clang's own when present, else the one on the PATH).
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ]; then
  for symbolizer in /usr/lib/llvm-19/bin/llvm-symbolizer "$(command -v llvm-symbolizer || true)"; do
    if [ -n "$symbolizer" ] && [ -x "$symbolizer" ]; then
      ASAN_SYMBOLIZER_PATH=$(readlink -f "$symbolizer")
      export ASAN_SYMBOLIZER_PATH
      break
    fi
  done
fi

