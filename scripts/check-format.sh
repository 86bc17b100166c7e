#!/usr/bin/env bash
# Checks that every C++ file git tracks follows .clang-format.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "check-format: run 'clang-format -i' on the files above" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
