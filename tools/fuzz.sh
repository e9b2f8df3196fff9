#!/usr/bin/env bash
# Builds the request fuzzer with clang's libFuzzer and sanitizers and runs it
# for SECONDS (default 60) on a copy of the committed corpus, so that the
# inputs it finds stay in the build folder. Prints the count of inputs run.
# Installs clang and its fuzzer runtime first when they are missing.
#   fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$root/build/fuzz

"$root/tools/setup.sh" clang libclang-rt-dev || {
    echo "fuzz.sh needs clang and its fuzzer runtime: install the Debian packages" \
         "clang and libclang-rt-dev (apt-get install clang libclang-rt-dev)" >&2
    exit 1
}

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMX_LIBFUZZER=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target request_fuzzer

rm -rf "$build/corpus"
cp -r "$root/fuzz/corpus" "$build/corpus"
# Two row bytes and the longest text ReadNumber is given, with room to spare.
"$build/request_fuzzer" -max_total_time="$seconds" -max_len=80 -print_final_stats=1 \
    -artifact_prefix="$build/" "$build/corpus" 2>&1 | tee "$build/fuzz.log"

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz.log")
echo "inputs executed: $runs"
