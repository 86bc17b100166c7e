#!/usr/bin/env bash
# Measures the line coverage of the product code (app, host, lang, values,
# net, platform) by the whole test suite: builds with --coverage into
# build-cov/, runs every test and prints gcovr's summary. Needs gcovr
# (Debian package gcovr) besides what scripts/install-deps.sh installs.
# About 4 minutes the first time on two cores, 1 after that.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/common.sh
source scripts/common.sh

configure_and_build build-cov Debug -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage \
  -DQUORL_BUILD_WINDOWS=OFF
find build-cov -name '*.gcda' -delete  # counts of earlier runs
echo "Running every test: about half a minute ..."
ctest --test-dir build-cov --no-tests=error -j2 >build-cov/ctest.log 2>&1 ||
  { tail -n 20 build-cov/ctest.log >&2; exit 1; }
gcovr -r . --filter '(app|host|lang|values|net|platform)/' --print-summary build-cov |
  tail -n 3
