#!/usr/bin/env bash
# Builds everything and starts the control panel against a simulated relay
# (cpl_relvo7 -demo): a motor that starts, runs, overloads, trips and is reset,
# on a loop. Nothing is written to the user's settings or database folder.
# Without a display the simulated relay's live readings are shown in the
# terminal instead (relvo7ctl monitor), until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
relvo7_ensure_packages

cmake -S . -B build -G Ninja -Wno-dev >/dev/null
cmake --build build -j"$(nproc)"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec build/bin/cpl_relvo7 -demo
fi

echo "No display (DISPLAY and WAYLAND_DISPLAY are empty), so the panel window cannot open."
echo "Instead: the simulated relay on 127.0.0.1:1502 and its live readings in the terminal."
echo

build/bin/relvo7-sim --tcp 127.0.0.1:1502 --demo </dev/null >/dev/null 2>&1 &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT

# The relay answers once its port is open (a few tenths of a second).
for _ in $(seq 50); do
  build/bin/relvo7ctl identify --tcp 127.0.0.1:1502 >/dev/null 2>&1 && break
  sleep 0.1
done

build/bin/relvo7ctl monitor --tcp 127.0.0.1:1502 || true
