#!/usr/bin/env bash
# Builds and runs the whole test suite.
#   scripts/test.sh              everything: the normal build, then the link and
#                                threaded tests again under ASan+UBSan and TSan
#   scripts/test.sh --plain      the normal build only
#   scripts/test.sh --sanitize address|thread   one sanitizer run only
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
relvo7_ensure_packages

mode=all
case "${1:-}" in
  "") ;;
  --plain) mode=plain ;;
  --sanitize) mode="${2:?--sanitize needs address or thread}" ;;
  *) echo "usage: scripts/test.sh [--plain | --sanitize address|thread]" >&2; exit 2 ;;
esac

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

run_plain() {
  cmake -S . -B build -G Ninja -Wno-dev >/dev/null
  cmake --build build -j"$jobs"
  ctest --test-dir build --output-on-failure -j"$jobs"
}

# Sanitizer builds hold only the subsystems without Qt widgets, and run the
# tests marked for them (label "sanitize").
run_sanitized() {
  local kind=$1 dir=build-$1
  cmake -S . -B "$dir" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Debug -DRELVO7_SANITIZE="$kind" \
        -DRELVO7_ONLY="linklib;params;sim;panel;history;tests" >/dev/null
  cmake --build "$dir" -j"$jobs" --target sanitized_tests
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir "$dir" --output-on-failure -L sanitize -j"$jobs"
}

case "$mode" in
  all) run_plain; run_sanitized address; run_sanitized thread ;;
  plain) run_plain ;;
  address|thread) run_sanitized "$mode" ;;
  *) echo "unknown sanitizer: $mode" >&2; exit 2 ;;
esac
