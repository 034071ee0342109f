#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test headless:
# once in the normal build and once with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps

jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  # One small virtual screen for every test that needs a window.
  xvfb-run -a -s "-screen 0 640x400x24" \
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVENDRABOLT_SANITIZE=ON
