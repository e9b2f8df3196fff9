#!/usr/bin/env bash
# Configures and builds one configuration: `native` (the core and its tests,
# with the host compiler) or `win32` (MX.EXE and its tests, with mingw-w64).
#   build.sh native|win32 [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=$1
shift
# The Windows build is optimised for size: nothing in the program is hot
# enough to want speed instead.
case "$config" in
    native) options=(-DCMAKE_BUILD_TYPE=Release) ;;
    win32) options=(-DCMAKE_BUILD_TYPE=MinSizeRel
                    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
    *) echo "usage: build.sh native|win32 [TARGET...]" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$root/build/$config" "${options[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$root/build/$config" -j "$(nproc)" "${targets[@]}"
