#!/usr/bin/env bash
# Checks that the folders form a stack: a C++ file includes only headers of
# its own folder and of the folders below it. From the bottom up:
#
#   platform/   the interfaces to the operating system (platform/*.h)
#   values/     values, name tables, character-level text scans
#   net/        the web stack, which sees only NetworkContext of a run
#   lang/       the context, the evaluator, operators, built-ins, procedures
#   host/       loader, program start and end, the form host
#
# platform/headless/, platform/posix/ and platform/win32/ implement the
# interfaces and include only platform/*.h and their own folder. app/,
# tests/, bench/ and tools/ stand on top and may include anything. A file in
# a folder that has no place here fails the check, and so does finding no
# file at all. Run it from anywhere: it checks the files git tracks.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

declare -A allowed=(
  [platform]="platform"
  [platform/headless]="platform platform/headless"
  [platform/posix]="platform platform/posix"
  [platform/win32]="platform platform/win32"
  [values]="platform values"
  [net]="platform values net"
  [lang]="platform values net lang"
  [host]="platform values net lang host"
)
top_folders="app tests bench tools"

failures=0
checked=0
mapfile -t files < <(git ls-files '*.cpp' '*.h')
for file in "${files[@]}"; do
  folder=$(dirname "$file")
  top=${folder%%/*}
  if [[ " $top_folders " == *" $top "* ]]; then
    continue
  fi
  checked=$((checked + 1))
  if [[ -z "${allowed[$folder]+set}" ]]; then
    echo "check-layers: $file: folder '$folder' has no place in the layer stack" >&2
    failures=$((failures + 1))
    continue
  fi
  # Quoted includes with a folder; a bare name is a header of the file's own folder.
  while IFS=: read -r line included; do
    target=$(dirname "$included")
    if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
      echo "check-layers: $file:$line includes \"$included\", which is above or beside '$folder'" >&2
      failures=$((failures + 1))
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/[^"]*"' "$file" |
    sed -E 's/^([0-9]+):.*"([^"]*)".*/\1:\2/')
done

if ((checked == 0)); then
  echo "check-layers: no file was checked; is this the source tree?" >&2
  exit 1
fi
if ((failures > 0)); then
  echo "check-layers: $failures include(s) break the layer stack" >&2
  exit 1
fi
echo "check-layers: $checked files include only their own folder and those below it"
