#!/usr/bin/env bash
# Installs what is missing, builds the program and the device simulator, starts the simulator
# on a pseudo-terminal and opens the program connected to it. Closing the window ends the demo.
# Extra arguments go to the program (for example -expert or -german).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target zorvexpro zorvexpro-devsim

link=${XDG_RUNTIME_DIR:-/tmp}/zorvexpro-demo-$$
log=$(mktemp)
build/tools/devsim/zorvexpro-devsim --link "$link" </dev/null >"$log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 100); do
    [[ -s $log ]] && break
    sleep 0.1
done
path=$(head -n 1 "$log")
echo "Device simulator running on $path"

build/app/zorvexpro "$path" "$@"
