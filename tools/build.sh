#!/usr/bin/env bash
# Configures and builds one configuration: `native` (the core and its tests,
# with the host compiler), `win32` or `win64` (MX.EXE and its tests, with
# mingw-w64, for 32- or 64-bit Windows).
#   build.sh native|win32|win64 [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=${1:-}
shift || true
# The Windows builds are optimised for size: nothing in the program is hot
# enough to want speed instead.
case "$config" in
    native) options=(-DCMAKE_BUILD_TYPE=Release) ;;
    win32) options=(-DCMAKE_BUILD_TYPE=MinSizeRel
                    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
    win64) options=(-DCMAKE_BUILD_TYPE=MinSizeRel
                    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
    *) echo "usage: build.sh native|win32|win64 [TARGET...]" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$root/build/$config" "${options[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$root/build/$config" -j "$(nproc)" "${targets[@]}"
