#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the full suite in a normal
# build, then the device-link tests again under AddressSanitizer + UndefinedBehaviorSanitizer
# (with the Bluetooth thread's) and under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
# Paths relative to the checkout, so that a fresh clone elsewhere finds the cached objects.
export CCACHE_BASEDIR=$PWD

run_suite() {
    local dir=$1 label=$2
    shift 2
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    if [[ -n $label ]]; then
        ctest --test-dir "$dir" -L "$label" --output-on-failure -j "$jobs" --timeout 120
    else
        ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 120
    fi
}

echo "== Build and test"
run_suite build "" -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== Device link and Bluetooth thread under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build-asan "device|bluetooth" -DCMAKE_BUILD_TYPE=Debug -DZORVEX_DEVICE_ONLY=ON -DZORVEX_SANITIZE=address,undefined

echo "== Device link under ThreadSanitizer"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp" \
    run_suite build-tsan device -DCMAKE_BUILD_TYPE=Debug -DZORVEX_DEVICE_ONLY=ON -DZORVEX_SANITIZE=thread

echo "== Fault soak: the program against the simulator's faults for ${ZORVEX_SOAK_SECONDS:-60} s"
build/tools/soak/zorvexpro-soak --seconds "${ZORVEX_SOAK_SECONDS:-60}" --seed "${ZORVEX_SOAK_SEED:-$RANDOM}"

echo "== Fuzzing every parser (${ZORVEX_FUZZ_SECONDS:-30} s each)"
scripts/fuzz.sh "${ZORVEX_FUZZ_SECONDS:-30}"

echo "All test suites passed."
