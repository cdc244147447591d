#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Quiet when everything is present; fails loudly when an install fails.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libxml2-dev zlib1g-dev libminizip-dev libpng-dev libjpeg-dev libgif-dev libtiff-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-19 libclang-rt-19-dev
  libreoffice-writer-nogui libreoffice-calc-nogui pandoc python3-openpyxl poppler-utils
  libwxgtk3.2-dev xvfb xauth
  xdg-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq || { echo "install-deps: apt-get update failed" >&2; exit 1; }
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null \
  || { echo "install-deps: apt-get install failed for: ${missing[*]}" >&2; exit 1; }
