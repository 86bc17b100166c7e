#!/usr/bin/env bash
# Installs what is needed, builds Quorl into build/ and runs examples/hello.qrl.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/common.sh
source scripts/common.sh

bash scripts/install-deps.sh
configure_and_build build Release
build/quorl examples/hello.qrl
