#!/usr/bin/env bash
# Builds and runs the benchmarks and prints their figures beside the goals:
# the request path natively (Google Benchmark), mensurix's batches natively
# against their floor and GNU units, then MX.EXE's start-up and size under
# Wine, of the 32-bit build where this machine runs 32-bit code, else of the
# 64-bit one.
#   bench.sh [START-UP RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
"$root/tools/setup.sh"
"$root/tools/setup.sh" units time  # GNU units to measure against, GNU time for memory
. "$root/tools/probe.sh"
build=$(pick_build)

"$root/tools/build.sh" native request_bench mensurix batch_floor >/dev/null
"$root/tools/build.sh" "$build" startup_bench >/dev/null

echo "== Request path (native) =="
"$root/build/native/request_bench" --benchmark_min_time=1 --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_color=false

echo
echo "== Batches (native): mensurix --batch, its floor and GNU units =="
"$root/tools/bench-batch.sh" "$root/build/native"

echo
echo "== Start-up and size of the $build MX.EXE (Wine) =="
state="$root/build/$build/bench-wine"
trap '"$root/tools/wine-env.sh" stop "$state" >/dev/null 2>&1 || true' EXIT
"$root/tools/wine-env.sh" start "$state" "$build" >/dev/null
"$root/tools/wine-run" "$state" "$root/build/$build/startup_bench.exe" "$runs"
