#!/usr/bin/env bash
# Builds MX.EXE and the soak, and runs the full soak under Wine in a prefix
# and display of its own: many conversions, warnings, About boxes and
# advertisements, then a table of what was done, the time and the memory.
# Runs the 32-bit build where this machine runs 32-bit code, else the 64-bit.
#   soak.sh [CONVERSIONS [WARNINGS [ABOUTS [ADVERTISEMENTS]]]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/probe.sh"
build=$(pick_build)
state="$root/build/$build/soak-wine"
"$root/tools/build.sh" "$build" soak mx
"$root/tools/wine-env.sh" start "$state" "$build"
trap '"$root/tools/wine-env.sh" stop "$state"' EXIT
echo "soak.sh: soaking the $build MX.EXE"
start=$(date +%s)
status=0
"$root/tools/wine-run" "$state" "$root/build/$build/soak.exe" "$@" || status=$?
echo "soak.sh: $build build, $(($(date +%s) - start)) s in all, exit code $status"
exit "$status"
