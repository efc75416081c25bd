#!/usr/bin/env bash
# Takes docs/screenshot.png: the program connected to the device simulator, on a virtual X
# display (Xvfb). Needs a built tree (default: build). What the user does before the picture is
# taken may follow as xdotool commands, e.g. "mousemove 284 55 click 1" to open the geo page.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshot.png}
actions=${3:-}

if [[ -z ${ZORVEX_IN_XVFB:-} ]]; then
    ZORVEX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1009x720x24" "$0" "$build" "$out" "$actions"
fi

link=$(mktemp -u)
log=$(mktemp)
"$build"/tools/devsim/zorvexpro-devsim --link "$link" </dev/null >"$log" 2>&1 &
sim=$!
app=
trap 'kill $app $sim 2>/dev/null; wait $sim 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 100); do
    [[ -s $log ]] && break
    sleep 0.1
done
cfg=$(mktemp -d)
XDG_CONFIG_HOME=$cfg QT_QPA_PLATFORM=xcb "$build"/app/zorvexpro -english "$(head -n 1 "$log")" &
app=$!
# The paced download of every record takes a few seconds; the clock needs one more poll.
sleep 8
if [[ -n $actions ]]; then
    # shellcheck disable=SC2086 # the commands are words for xdotool
    xdotool $actions
    sleep 1
fi
QT_QPA_PLATFORM=xcb "$build"/app/zorvexpro-screenshot "$out"
echo "Saved $out"
