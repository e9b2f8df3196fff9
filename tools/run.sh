#!/usr/bin/env bash
# Sets up what is missing, builds MX.EXE and runs it: directly on Windows
# (MSYS/Cygwin shells), under Wine elsewhere. Without a display it says so
# and takes a screenshot of the program under a virtual display instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$root/build/win32/MX.EXE"

case "$(uname -s)" in
    MINGW*|MSYS*|CYGWIN*)
        "$root/tools/build.sh" win32 mx
        exec "$exe" ;;
esac

"$root/tools/setup.sh"
"$root/tools/build.sh" win32 mx >/dev/null
echo "Built $exe"

# A 32-bit Wine prefix of the build's own, made once.
prepare_prefix() {
    export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all
    [ -f "$WINEPREFIX/system.reg" ] && return
    echo "Preparing a Wine prefix for Mensurix in $WINEPREFIX (once)..."
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Wine draws the window frames itself where no window manager runs.
    [ -n "${2:-}" ] && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Its desktop process belongs to the display of that moment: end it.
    wineserver -k 2>/dev/null || true
}

if [ -n "${DISPLAY:-}" ]; then
    prepare_prefix "$root/build/run/prefix"
    exec wine "$exe"
fi

echo "No display: DISPLAY is not set, so Mensurix cannot open its window here."
echo "Running it under a virtual display (Xvfb) to take a screenshot instead..."
state="$root/build/run/headless"
prepare_prefix "$state/prefix" unmanaged
shot="$root/build/mensurix.png"
exec 3>"$state/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$state/display")"
wine "$exe" >/dev/null 2>&1 &
# The screen stays black until the window has been drawn.
for _ in $(seq 120); do
    sleep 0.5
    import -window root -trim +repage "$shot" 2>/dev/null || continue
    [ "$(identify -format %w "$shot")" -gt 100 ] && break
done
echo "Screenshot of the main window: $shot"
echo "To use Mensurix itself, run this command again where a display is available."
