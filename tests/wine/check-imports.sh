#!/usr/bin/env bash
# Checks that a Windows program imports only the system's own DLLs, so that
# it runs as a single file: check-imports.sh OBJDUMP PROGRAM.
set -euo pipefail
imports=$("${1:?objdump}" -p "${2:?program}" | sed -n 's/^[[:space:]]*DLL Name: //p')
[[ -n $imports ]] || { echo "check-imports: $2 imports nothing?" >&2; exit 1; }
others=$(grep -vixF -e KERNEL32.dll -e USER32.dll -e GDI32.dll -e comdlg32.dll -e msvcrt.dll \
  -e ADVAPI32.dll <<<"$imports" || true)
[[ -z $others ]] || { echo "check-imports: $2 needs ${others//$'\n'/ }, not in Windows" >&2; exit 1; }
echo "check-imports: $2 imports ${imports//$'\n'/ }"
