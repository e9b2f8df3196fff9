#!/usr/bin/env bash
# Sets up what is missing, builds MX.EXE and runs it: directly on Windows
# (MSYS/Cygwin shells), under Wine elsewhere, the 32-bit build where this
# machine runs 32-bit code and the 64-bit one otherwise. Without a display it
# says so and takes a screenshot of the program under a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

case "$(uname -s)" in
    MINGW*|MSYS*|CYGWIN*)
        "$root/tools/build.sh" win32 mx
        exec "$root/build/win32/MX.EXE" ;;
esac

"$root/tools/setup.sh"
. "$root/tools/probe.sh"
build=$(pick_build)
exe="$root/build/$build/MX.EXE"
"$root/tools/build.sh" "$build" mx >/dev/null
echo "Built $exe"

if [ -n "${DISPLAY:-}" ]; then
    state="$root/build/run/$build"
    "$root/tools/wine-env.sh" prefix "$state" "$build"
    exec "$root/tools/wine-run" "$state" "$exe"
fi

echo "No display: DISPLAY is not set, so Mensurix cannot open its window here."
echo "Running it under a virtual display (Xvfb) to take a screenshot instead..."
state="$root/build/run/headless-$build"
"$root/tools/wine-env.sh" start "$state" "$build" >/dev/null
trap '"$root/tools/wine-env.sh" stop "$state"' EXIT
shot="$root/build/mensurix.png"
rm -f "$shot"
"$root/tools/wine-run" "$state" "$exe" >/dev/null 2>&1 &
# The screen stays black until the window has been drawn.
DISPLAY=":$(cat "$state/display")"
export DISPLAY
for _ in $(seq 120); do
    sleep 0.5
    import -window root -trim +repage "$shot" 2>/dev/null || continue
    [ "$(identify -format %w "$shot")" -gt 100 ] && break
done
echo "Screenshot of the main window: $shot"
echo "To use Mensurix itself, run this command again where a display is available."
