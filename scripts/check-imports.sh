#!/usr/bin/env bash
# Checks that a Windows program imports only DLLs the system always takes from its own folder
# (the KnownDLLs, and comctl32 from the side-by-side store): any other DLL, even a system one,
# would be looked for beside the program first. Names any other and fails.
# Usage: check-imports.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=$1 program=$2
known='kernel32|user32|gdi32|comctl32|advapi32|shell32|ole32|oleaut32|comdlg32|shlwapi|imm32|msvcrt'
dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
# The delay-loaded ones, which bind at their first call, by the descriptors cmake/DelayLoad.cmake
# links in (the symbol table names them).
delayed=$("$objdump" -t "$program" | sed -n 's/.*__DELAY_IMPORT_DESCRIPTOR_lib\([A-Za-z0-9_]*\)_delay_a$/\1.dll/p')
dlls=$(printf '%s\n%s\n' "$dlls" "$delayed" | sed '/^$/d')
if [ -z "$dlls" ]; then
    echo "No imports found in $program" >&2
    exit 1
fi
others=$(printf '%s\n' "$dlls" | grep -Eiv "^($known)\.dll\$" || true)
if [ -n "$others" ]; then
    printf 'Imported, but not a KnownDLL (load it through win::SystemLibrary):' >&2
    printf ' %s' $others >&2; echo >&2
    exit 1
fi
printf 'Imports only KnownDLLs and comctl32:'; printf ' %s' $dlls; echo
