#!/usr/bin/env bash
# Times `mensurix --batch` on a generated file of 1,000,000 requests against
# its floor (bench/batch_floor.cpp: strtod, multiply, "%g", nothing else) on
# the same file, and GNU units on the first 10,000 of the same requests in
# its own input form; prints the times per request and the ratios. Run by
# tools/bench.sh, which builds the programs and installs GNU units.
#   bench-batch.sh NATIVE_BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
requests=1000000
units_requests=10000
work="$build/batch-bench"
mkdir -p "$work"

# The conversions of bench/batch_mix.txt in turn, each with a number in one
# of three forms (integer, decimal, exponent); the first requests again as
# GNU units' pairs of lines, "You have" and "You want".
awk -F'|' -v n=$requests -v m=$units_requests \
    -v mine="$work/requests.txt" -v theirs="$work/units.txt" '
    BEGIN { k = 0 }
    /^#/ { next }
    { text[k] = $1; have[k] = $2; want[k] = $3; k++ }
    END {
        srand(1)
        for (i = 0; i < n; i++) {
            r = rand()
            e = i % k
            form = int(i / k) % 3
            if (form == 0) number = int(r * 1000)
            else if (form == 1) number = sprintf("%.3f", r * 100)
            else number = sprintf("%.3e", r * 10000)
            print number " " text[e] > mine
            if (i < m) {
                h = have[e]
                gsub("#", number, h)
                print h > theirs
                print want[e] > theirs
            }
        }
    }' "$root/bench/batch_mix.txt"
head -n $units_requests "$work/requests.txt" >"$work/requests-10k.txt"

# Every request of the file converts; anything else is a fault of the bench.
mensurix() {
    "$build/mensurix" --batch "$work/requests.txt" >/dev/null 2>"$work/mensurix.err" || {
        echo "mensurix --batch failed:" >&2
        head -5 "$work/mensurix.err" >&2
        return 1
    }
}
floor() { "$build/batch_floor" <"$work/requests.txt" >/dev/null; }
gnu_units() { units -t -q <"$work/units.txt" >/dev/null 2>&1; }

# Nanoseconds of processor time (user and system) the command takes.
cpu_nanoseconds() {
    local used
    used=$({ TIMEFORMAT='%3U %3S'; time "$@"; } 2>&1)
    awk '{ printf "%d\n", ($1 + $2) * 1e9 }' <<<"$used"
}

# The least of five runs of each, taken in turns: the machine is shared, and
# other work only ever adds time.
least() { printf '%s\n' "$@" | sort -n | head -1; }
mensurix_runs=() floor_runs=() units_runs=()
for _ in 1 2 3 4 5; do
    mensurix_runs+=("$(cpu_nanoseconds mensurix)")
    floor_runs+=("$(cpu_nanoseconds floor)")
    units_runs+=("$(cpu_nanoseconds gnu_units)")
done

# Peak resident memory in KiB of a batch of the given file.
peak_kib() {
    /usr/bin/time -f %M -o "$work/peak" "$build/mensurix" --batch "$1" >/dev/null
    cat "$work/peak"
}

mensurix_ns=$(least "${mensurix_runs[@]}")
floor_ns=$(least "${floor_runs[@]}")
units_ns=$(least "${units_runs[@]}")

# The same answers: mensurix with 8 digits against GNU units' 8, within
# 1e-5 (the catalogue's parsec is 3.085677e16 m, GNU units' 3.0856776e16).
"$build/mensurix" --batch --digits 8 "$work/requests-10k.txt" >"$work/mensurix-10k.out"
units -t -q <"$work/units.txt" >"$work/units-10k.out"
agreeing=$(paste -d' ' "$work/mensurix-10k.out" "$work/units-10k.out" | awk '
    { d = $1 - $2; a = $2; if (d < 0) d = -d; if (a < 0) a = -a }
    NF == 2 && d <= 1e-5 * a + 1e-12 { n++ }
    END { print n + 0 }')

awk -v m="$mensurix_ns" -v f="$floor_ns" -v u="$units_ns" -v n=$requests -v un=$units_requests \
    -v small="$(peak_kib "$work/requests-10k.txt")" -v large="$(peak_kib "$work/requests.txt")" \
    -v agreeing="$agreeing" 'BEGIN {
    mine = m / n; theirs = u / un
    printf "%-52s %14s %10s\n", "figure (processor time, least of 5)", "measured", "goal"
    printf "%-52s %11.1f ns\n", "mensurix --batch, per request (1,000,000)", mine
    printf "%-52s %11.1f ns\n", "floor: strtod, multiply, %g, per request", f / n
    printf "%-52s %14.2f %10s\n", "mensurix / floor", mine / (f / n), "<= 1.5"
    printf "%-52s %11.1f us\n", "GNU units, per request (10,000, start-up included)", theirs / 1000
    printf "%-52s %13.0fx %10s\n", "throughput of mensurix over GNU units", theirs / mine, ">= 100"
    printf "%-52s %6d / %-6d KiB %5s\n", "peak memory, 10,000 / 1,000,000 requests", small, large, "flat"
    printf "%-52s %8d of %d\n", "results agreeing with GNU units (8 digits, 1e-5)", agreeing, un
}'
