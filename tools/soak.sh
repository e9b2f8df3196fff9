#!/usr/bin/env bash
# Builds MX.EXE and the soak, and runs the full soak under Wine in a prefix
# and display of its own: many conversions, warnings, About boxes and
# advertisements, then a table of what was done, the time and the memory.
#   soak.sh [CONVERSIONS [WARNINGS [ABOUTS [ADVERTISEMENTS]]]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
state="$root/build/win32/soak-wine"
"$root/tools/build.sh" win32 soak mx
"$root/tools/wine-env.sh" start "$state"
trap '"$root/tools/wine-env.sh" stop "$state"' EXIT
start=$(date +%s)
status=0
"$root/tools/wine-run" "$state" "$root/build/win32/soak.exe" "$@" || status=$?
echo "soak.sh: $(($(date +%s) - start)) s in all, exit code $status"
exit "$status"
