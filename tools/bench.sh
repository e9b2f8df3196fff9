#!/usr/bin/env bash
# Builds and runs the benchmarks and prints their figures beside the goals:
# the request path natively (Google Benchmark), then MX.EXE's start-up and
# size under Wine.
#   bench.sh [START-UP RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
"$root/tools/setup.sh"

"$root/tools/build.sh" native request_bench >/dev/null
"$root/tools/build.sh" win32 startup_bench >/dev/null

echo "== Request path (native) =="
"$root/build/native/request_bench" --benchmark_min_time=1 --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_color=false

echo
echo "== Start-up and size (Wine) =="
state="$root/build/win32/bench-wine"
trap '"$root/tools/wine-env.sh" stop "$state" >/dev/null 2>&1 || true' EXIT
"$root/tools/wine-env.sh" start "$state" >/dev/null
"$root/tools/wine-run" "$state" "$root/build/win32/startup_bench.exe" "$runs"
