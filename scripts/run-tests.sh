#!/usr/bin/env bash
# Installs what is needed, builds Quorl and its tests into build/ and runs
# every test: unit tests, the program tests and the runner's own tests.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/common.sh
source scripts/common.sh

bash scripts/install-deps.sh
configure_and_build build Release
echo "Running every test: about half a minute ..."
ctest --test-dir build --output-on-failure --no-tests=error -j2
