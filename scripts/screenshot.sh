#!/usr/bin/env bash
# A picture of the live panel: runs the real program (cpl_relvo7 -demo, the
# panel against the simulated relay) under Xvfb and lets it grab its own
# window after the demo motor has run for a while.
#   scripts/screenshot.sh [build-dir] [out.png] [seconds]
# Defaults: build, docs/panel.png, 135 s (the demo motor has just tripped on
# overload: fault lamp, alarm row, heating near 100 %). Nothing is written to the user's
# profile (the demo run keeps its settings in memory).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/panel.png}
seconds=${3:-135}

if [[ ! -x "$build/bin/cpl_relvo7" ]]; then
  cmake --build "$build" --target cpl_relvo7 -j2
fi
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

# A throw-away home, so not even Qt's own caches touch the user's folders.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/data" "$home/runtime"
chmod 700 "$home/runtime"

XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
RELVO7_DATA_DIR="$home/data" RELVO7_SCREENSHOT="$out" RELVO7_SCREENSHOT_DELAY_MS=$((seconds * 1000)) \
  timeout $((seconds + 60)) xvfb-run -a -s "-screen 0 1440x900x24" "$build/bin/cpl_relvo7" -demo
ls -l "$out"
