#!/usr/bin/env bash
# Sets up what is missing, builds every configuration and runs every test
# this machine can run: the core and the file checks of both Windows builds
# natively, then each Windows build's tests under Wine where it runs. A build
# that cannot run here is skipped with the probe's reason, not failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/probe.sh"
"$root/tools/setup.sh"

# Building needs no more than the compilers, so every build is made here.
for config in native win32 win64; do
    "$root/tools/build.sh" "$config"
done

declare -A outcome
run_ctest() {
    if ctest --test-dir "$root/build/$1" --output-on-failure; then
        outcome[$1]=passed
    else
        outcome[$1]=failed
    fi
}

run_ctest native
for config in win64 win32; do
    if why=$("probe_wine${config#win}"); then
        echo "== $config under Wine: $why"
        run_ctest "$config"
    else
        echo "== Skipping the $config tests under Wine: $why"
        outcome[$config]="skipped ($why)"
    fi
done

echo
echo "Summary:"
echo "  native:             ${outcome[native]}"
echo "  win32 under Wine:   ${outcome[win32]}"
echo "  win64 under Wine:   ${outcome[win64]}"
passed=0 failed=0 skipped=0
for config in native win32 win64; do
    case "${outcome[$config]}" in
        passed) passed=$((passed + 1)) ;;
        failed) failed=$((failed + 1)) ;;
        *) skipped=$((skipped + 1)) ;;
    esac
done
echo "configurations: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
