#!/usr/bin/env bash
# Builds MX.EXE and the soak, and runs the full soak under Wine in a prefix
# and display of its own: many conversions, warnings, About boxes and
# advertisements, then a table of what was done, the time and the memory.
# With --monkey, runs the monkey instead: random user actions from a fresh
# seed, which it prints, each checked against what must hold.
# Runs the 32-bit build where this machine runs 32-bit code, else the 64-bit.
#   soak.sh [CONVERSIONS [WARNINGS [ABOUTS [ADVERTISEMENTS]]]]
#   soak.sh --monkey [ACTIONS]      100000 actions unless told
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/probe.sh"
program=soak
arguments=("$@")
if [ "${1:-}" = --monkey ]; then
    program=monkey
    arguments=(--actions "${2:-100000}")
fi
build=$(pick_build)
state="$root/build/$build/soak-wine"
"$root/tools/build.sh" "$build" "$program" mx
"$root/tools/wine-env.sh" start "$state" "$build"
trap '"$root/tools/wine-env.sh" stop "$state"' EXIT
echo "soak.sh: running the $program on the $build MX.EXE"
start=$(date +%s)
status=0
"$root/tools/wine-run" "$state" "$root/build/$build/$program.exe" "${arguments[@]}" || status=$?
echo "soak.sh: $build build, $(($(date +%s) - start)) s in all, exit code $status"
exit "$status"
