#!/usr/bin/env bash
# Checks that a Windows program is built hardened: loaded at a random address (dynamic base
# with relocations, high-entropy addresses), data never executed (NX), and the stack guard
# compiled in. Names what is missing and fails.
# Usage: check-hardening.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=$1 program=$2
# Read whole before grep: grep -q ending early would fail the pipe under pipefail.
headers=$("$objdump" -p "$program")
sections=$("$objdump" -h "$program")
symbols=$("$objdump" -t "$program")
flags=$(printf '%s\n' "$headers" | sed -n 's/^DllCharacteristics[[:space:]]*//p')
if [ -z "$flags" ]; then
    echo "No DllCharacteristics in $program" >&2
    exit 1
fi
missing=()
(( 0x$flags & 0x0020 )) || missing+=("high-entropy VA")
(( 0x$flags & 0x0040 )) || missing+=("dynamic base")
(( 0x$flags & 0x0100 )) || missing+=("NX compatible")
grep -q '[[:space:]]\.reloc[[:space:]]' <<<"$sections" || missing+=("relocations (.reloc)")
# The guard's failure handler is linked in only when some function checks its canary.
grep -q '__stack_chk_fail' <<<"$symbols" || missing+=("stack protector")
if [ ${#missing[@]} -gt 0 ]; then
    printf '%s lacks:' "$program" >&2; printf ' %s;' "${missing[@]}" >&2; echo >&2
    exit 1
fi
echo "$program: DllCharacteristics 0x$flags (high-entropy VA, dynamic base, NX), relocations, stack protector"
