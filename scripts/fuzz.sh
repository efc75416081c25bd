#!/usr/bin/env bash
# Builds the libFuzzer targets of every parser with clang (tree build-fuzz) and runs each one for
# the given seconds (default 30), starting from its seed corpus. Prints one line per target:
#   BENCH fuzz_<target> executions=<n> crashes=<n>
# and fails when any target crashed, leaked or tripped a sanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
dir=${ZORVEX_FUZZ_BUILD:-build-fuzz}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DZORVEX_FUZZ=ON -DZORVEX_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build "$dir" -j "$(nproc)"

status=0
for source in fuzz/fuzz_*.cpp; do
    target=$(basename "$source" .cpp)
    found="$dir/fuzz/corpus/$target"
    mkdir -p "$found"
    dict=()
    [[ -f fuzz/${target#fuzz_}.dict ]] && dict=(-dict="fuzz/${target#fuzz_}.dict")
    log=$(mktemp)
    if QT_QPA_PLATFORM=offscreen "$dir/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$dir/fuzz/$target-" "${dict[@]}" "$found" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        crashes=0
    else
        crashes=1
        status=1
        grep -E "ERROR|SUMMARY|artifact" "$log" | head -20 >&2
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    echo "BENCH $target executions=${executions:-0} crashes=$crashes"
    rm -f "$log"
done
exit $status
