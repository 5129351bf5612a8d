#!/usr/bin/env bash
# Runs each case of a GoogleTest program in a process of its own, as the Windows tests are
# written to run (every case starts with a fresh input queue and display connection): one line
# per case, GoogleTest's own report of each case that failed, and a failure if any did.
# Usage: run-test-cases.sh SECONDS-PER-CASE COMMAND...   (COMMAND starts the test program)
set -uo pipefail
limit=$1; shift
cases=$("$@" --gtest_list_tests | tr -d '\r' | awk '/^[^ ]/ { suite = $1 } /^  [^ ]/ { print suite $1 }')
if [ $? -ne 0 ] || [ -z "$cases" ]; then
    echo "No test cases listed by: $*" >&2
    exit 1
fi
total=0 failed=0
for name in $cases; do
    total=$((total + 1))
    if [[ $name == DISABLED_* || $name == *.DISABLED_* ]]; then
        echo "disabled  $name"
        continue
    fi
    report=$(timeout "$limit" "$@" --gtest_filter="$name" 2>&1 | tr -d '\r')
    status=$?
    if [ $status -eq 0 ] && grep -q '^\[==========\] 1 test from 1 test suite ran' <<<"$report"; then
        echo "ok        $name"
        continue
    fi
    failed=$((failed + 1))
    echo "FAILED    $name"
    [ $status -eq 124 ] && echo "    (stopped after $limit s)"
    printf '%s\n' "$report" | sed 's/^/    /'
done
echo "$total cases, $failed failed"
[ $failed -eq 0 ]
