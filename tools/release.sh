#!/usr/bin/env bash
# Builds both Windows builds and packs each into a zip of its programs and a
# short read-me: build/release/mensurix-VERSION-win32.zip and -win64.zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
for build in win32 win64; do
    "$root/tools/build.sh" "$build" >/dev/null
    (cd "$root/build/$build" && cpack -B "$root/build/release" >/dev/null)
done
rm -rf "$root/build/release/_CPack_Packages"
ls -l "$root/build/release/"*.zip
