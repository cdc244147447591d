#!/usr/bin/env bash
# Runs a test program on an X server of its own (xvfb-run -a), so window tests need no desktop and
# never show on one. Where xvfb-run is missing the tests report themselves skipped.
set -euo pipefail
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "[  SKIPPED ] xvfb-run is not installed (Debian package xvfb): the window tests did not run"
  exit 0
fi
# A home of its own, so nothing the windows open or write reaches the user's folders.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME
xvfb-run -a -s "-screen 0 1024x768x24" "$@"
