#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test headless:
# once in the normal build and once with AddressSanitizer, LeakSanitizer and
# UBSan; between the two, each data-file loader is fuzzed for a short while.
# In each build the suite runs twice: through ctest, every test in a process
# of its own, and then every test program whole, one process for all its
# tests in a shuffled order (scripts/run-whole-programs; the seed is printed,
# SEED=<n> ./test.sh repeats an order), as a developer runs one.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps

jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  # One small virtual screen for every test that needs a window; -noreset
  # keeps it taking connections when its last client leaves.
  xvfb-run -a -s "-screen 0 640x400x24 -noreset" \
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300 ${CTEST_EXTRA:-}
  # After ctest, not beside it: some tests use fixed scratch paths.
  xvfb-run -a -s "-screen 0 640x400x24 -noreset" scripts/run-whole-programs "$dir" "$seed"
}

seed=${SEED:-$((RANDOM % 99999 + 1))}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
./scripts/fuzz 25
# Leaks are errors; scripts/lsan.supp names the system libraries that keep
# memory for the life of the process by design.
# LeakSanitizer's own thread stopper now and then crashes on a thread that is
# ending as the program exits ("Tracer caught signal 11"); such a test gets
# one more run.
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1 CTEST_EXTRA="--repeat until-pass:2" \
  run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVENDRABOLT_SANITIZE=ON
