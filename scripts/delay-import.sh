#!/usr/bin/env bash
# Makes a delay-load import library for a system DLL from its ordinary MinGW import library:
# every function the import library names, bound at its first call instead of at start.
# With FORMAT "short" and llvm-dlltool instead, an ordinary import library in the short format,
# which lld delay-loads when told to (--delayload).
# Usage: delay-import.sh NM DLLTOOL IMPORT-LIBRARY.a DLL-NAME OUTPUT.a [delay|short]
set -euo pipefail
nm=$1 dlltool=$2 import=$3 dll=$4 output=$5 format=${6:-delay}
# Made in the output's folder under its own name, which dlltool puts in the symbols' names.
cd "$(dirname "$output")"
output=$(basename "$output")
def=${output%.a}.def
{
    echo "LIBRARY $dll"
    echo "EXPORTS"
    "$nm" -g --defined-only "$import" 2>/dev/null | awk '$2 == "T" && $3 !~ /^__/ { print $3 }' | sort -u
} > "$def"
if [ "$format" = short ]; then
    "$dlltool" -m i386:x86-64 -d "$def" -l "$output" -D "$dll"
else
    "$dlltool" --input-def "$def" --output-delaylib "$output" --dllname "$dll"
fi
