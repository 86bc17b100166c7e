#!/usr/bin/env bash
# Checks that a Windows program imports only the system's own DLLs, so that
# it runs as a single file: check-imports.sh OBJDUMP PROGRAM.
set -euo pipefail
objdump=${1:?objdump}
program=${2:?program}
allowed=" KERNEL32.dll USER32.dll GDI32.dll comdlg32.dll msvcrt.dll ADVAPI32.dll "
mapfile -t imports < <("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
((${#imports[@]} > 0)) || { echo "check-imports: $program imports nothing?" >&2; exit 1; }
status=0
for dll in "${imports[@]}"; do
  if [[ ${allowed,,} != *" ${dll,,} "* ]]; then
    echo "check-imports: $program needs $dll, which Windows does not bring" >&2
    status=1
  fi
done
echo "check-imports: $program imports ${imports[*]}"
exit $status
