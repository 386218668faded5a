#!/usr/bin/env bash
# Builds one libFuzzer target with clang (AddressSanitizer + UndefinedBehavior-
# Sanitizer, coverage for all code) in build-fuzz, and runs it.
#   scripts/fuzz.sh TARGET [RUNS]      e.g. scripts/fuzz.sh fuzz_link_reply 2000000
# The corpus grows in fuzz-corpus/TARGET; tests/fuzz/seeds/TARGET, when it
# exists, seeds it. RELVO7_FUZZ_ONLY overrides the folders configured.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:?usage: scripts/fuzz.sh TARGET [RUNS]}
runs=${2:-100000}
only=${RELVO7_FUZZ_ONLY:-"linklib;params;sim;settings;widgets;history;panel;app;cli;tests;fuzz"}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -Wno-dev \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRELVO7_SANITIZE=address \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DRELVO7_ONLY="$only" >/dev/null
cmake --build build-fuzz -j2 --target "$target"

corpus=fuzz-corpus/$target
mkdir -p "$corpus"
dirs=("$corpus")
[ -d "tests/fuzz/seeds/$target" ] && dirs+=("tests/fuzz/seeds/$target")

UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  "build-fuzz/bin/$target" -runs="$runs" -print_final_stats=1 "${dirs[@]}"
