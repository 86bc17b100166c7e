#!/usr/bin/env bash
# Installs the Debian packages Quorl needs. Safe to run again: when
# everything is installed it does nothing at all.
#
#   install-deps.sh run      what building and running quorl needs
#   install-deps.sh desktop  what building quorl.exe and showing it under
#                            Wine needs (README command a)
#   install-deps.sh          all of that and what the tests need (test
#                            frameworks, the format check, the fuzzers, the
#                            web servers the network tests start on loopback)
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# One package per line; add what your part of Quorl needs.
run_packages=(
  build-essential
  cmake
  # TLS for https:// in the native build.
  libssl-dev
)
test_packages=(
  libgtest-dev
  libgmock-dev
  googletest
  pkg-config
  # The format check reads the file list from git.
  clang-format
  git
  # The fuzz targets: clang with libFuzzer and the sanitizers.
  clang
  libclang-rt-dev
  # Network tests: real servers on loopback, and curl for the download benchmark.
  nginx-light
  tinyproxy-bin
  curl
  # The system's store of trusted roots, which one TLS test adds its own
  # authority to for a moment (update-ca-certificates); the openssl program
  # makes the TLS tests' certificates.
  ca-certificates
  openssl
  # The browser link's tests: a headless browser driven through its DevTools endpoint.
  chromium
  # The 32-bit desktop program, built (not run: Wine here runs 64-bit only).
  g++-mingw-w64-i686-posix
)
# The desktop program: cross-built with MinGW-w64 (its pictures drawn by a
# Python script) and run under Wine, on a virtual X display when there is no
# other, worked with xdotool and photographed with ImageMagick.
desktop_packages=(
  cmake
  make
  g++-mingw-w64-x86-64-posix
  python3
  wine
  wine64
  fonts-wine
  xvfb
  xauth
  xdotool
  imagemagick
)
# Wine needs the X libraries and fonts it only recommends.
with_recommends=(wine wine64 fonts-wine)

case "${1:-all}" in
  run) packages=("${run_packages[@]}") ;;
  desktop) packages=("${desktop_packages[@]}") ;;
  all) packages=("${run_packages[@]}" "${desktop_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: install-deps.sh [run|desktop]" >&2
    exit 2
    ;;
esac

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

echo "Installing ${#missing[@]} Debian packages (${missing[*]})."
echo "This downloads and unpacks them: 1-2 minutes for the build tools alone, up to 10 with the test tools ..."
run_quietly "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
plain=()
recommending=()
for package in "${missing[@]}"; do
  if [[ " ${with_recommends[*]} " == *" $package "* ]]; then
    recommending+=("$package")
  else
    plain+=("$package")
  fi
done
if ((${#plain[@]} > 0)); then
  run_quietly "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${plain[@]}"
fi
if ((${#recommending[@]} > 0)); then
  run_quietly "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq "${recommending[@]}"
fi
echo "Installed."
