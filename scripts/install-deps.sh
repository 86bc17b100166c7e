#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quorl needs. Safe to
# run again: when everything is installed it does nothing at all.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# One package per line; add what your part of Quorl needs.
packages=(
  build-essential
  cmake
  libgtest-dev
  libgmock-dev
  googletest
  pkg-config
  clang-format
  # TLS for https:// in the native build.
  libssl-dev
  # Network tests: real servers on loopback, and curl for the download benchmark.
  nginx-light
  tinyproxy-bin
  curl
  # The browser link's tests: a headless browser driven through its DevTools endpoint.
  chromium
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -qx 'install ok installed'; then
    missing+=("$package")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

as_root=()
if ((EUID != 0)); then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: these packages are missing; install them as root: ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi

echo "Installing ${missing[*]} ..."
run_quietly "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
run_quietly "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
