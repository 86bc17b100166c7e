#!/usr/bin/env bash
# Checks that every C++ file of the project follows .clang-format: the files
# git tracks, or without git (an unpacked copy) those found beside this
# folder, build folders left out. Finding no file to check is a failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if command -v git >/dev/null && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find . -mindepth 1 \( -name '.*' -o -name 'build*' \) -prune -o \
    -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)
fi
if ((${#files[@]} == 0)); then
  echo "check-format: found no C++ file to check" >&2
  exit 1
fi
echo "Checking the formatting of ${#files[@]} C++ files (a few seconds) ..."
# Standard input is closed: clang-format must never wait on it.
if ! clang-format --dry-run --Werror "${files[@]}" </dev/null; then
  echo "check-format: run 'clang-format -i' on the files above" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
