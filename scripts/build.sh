#!/usr/bin/env bash
# Builds the core natively (with its tests) and the Windows program with its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"
