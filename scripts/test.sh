#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the core's tests
# natively (ASan/UBSan), then the Windows tests through Wine on a private Xvfb screen, and the
# short run of the program built by clang.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --preset native -j "$(nproc)"
# The Windows tests share one X screen and one Wine server; they run one at a time.
bash scripts/xvfb.sh ctest --preset mingw
# The program and its Windows tests built again by clang and lld; the program's short run.
cmake --preset mingw-clang >/dev/null
cmake --build --preset mingw-clang -j "$(nproc)"
bash scripts/xvfb.sh ctest --preset mingw-clang
