#!/usr/bin/env bash
# Builds everything and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
relvo7_ensure_packages

cmake -S . -B build -G Ninja -Wno-dev >/dev/null
cmake --build build -j"$(nproc)"

echo
build/bin/relvo7ctl --help
