#!/usr/bin/env bash
# Checks that a Windows program imports no DLL but the system's own; names any other and fails.
# Usage: check-imports.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=$1 program=$2
system='kernel32|user32|gdi32|comctl32|advapi32|version|shell32|ole32|oleaut32|comdlg32|shlwapi|uxtheme|imm32'
system+='|dwmapi|windowscodecs|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+'
dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
if [ -z "$dlls" ]; then
    echo "No imports found in $program" >&2
    exit 1
fi
others=$(printf '%s\n' "$dlls" | grep -Eiv "^($system)\.dll\$" || true)
if [ -n "$others" ]; then
    printf 'Not a system DLL: %s\n' $others >&2
    exit 1
fi
printf 'Imports only system DLLs:'; printf ' %s' $dlls; echo
