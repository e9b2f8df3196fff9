#!/usr/bin/env bash
# Sets up, or tears down, what one Windows build's programs need to run here:
# a Wine prefix of the build's own (32- or 64-bit) and, for tests, a virtual
# X display of their own.
#   wine-env.sh start STATE_DIR win32|win64    new prefix, Xvfb on a free display
#   wine-env.sh prefix STATE_DIR win32|win64   the prefix alone, made once and kept
#   wine-env.sh stop STATE_DIR                 stop Wine's server and the display
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
action=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
. "$root/tools/wine-prefix.sh"

stop() {
    if [ -f "$state/arch" ]; then
        use_wine_state "$state"
        if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
    fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
}

# Makes the prefix, logging Wine's own words in the state folder. A 64-bit
# prefix on a machine without 32-bit support logs that its 32-bit helpers
# (syswow64) cannot start; that is expected and harmless here.
make_prefix() {
    "$WINE" wineboot -i >"$state/wineboot.log" 2>&1 || {
        echo "Wine could not make its prefix in $WINEPREFIX:" >&2
        tail -n 20 "$state/wineboot.log" >&2
        exit 1
    }
    # Without a window manager, Wine waits on every hidden managed window,
    # and draws the frames itself where it is told not to be managed.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crash fails at once, its backtrace going to the program's log.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$WINESERVER" -w
    # Wine's own fonts (MS Sans Serif, the system font, Tahoma) are not where
    # this Wine looks for them, so every face would fall to a host font such
    # as DejaVu Sans, in which Wine 8's text shaping crashes on some
    # characters typed into an edit field. The prefix's font folder holds
    # them instead, as a Windows system holds its own.
    local fonts
    fonts="$(dirname "$WINE")/../../share/wine/fonts"
    if [ -d "$fonts" ]; then
        cp "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
}

prefix() {
    use_wine_state "$state" "$1"
    [ -f "$WINEPREFIX/system.reg" ] && return
    echo "Preparing a Wine prefix in $WINEPREFIX (once)..."
    make_prefix
}

start() {
    stop
    rm -rf "$state/prefix"
    use_wine_state "$state" "$1"

    # Xvfb picks a free display and writes its number to the descriptor.
    exec 3>"$state/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    exec 3>&-
    for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
    [ -s "$state/display" ] || { echo "Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(cat "$state/display")"

    make_prefix
    # One server for the whole run keeps every later start quick. Its system
    # processes (services, RPC, the desktop) start here, not inside a test,
    # where they would wait for a service and hold on to the test's output.
    "$WINESERVER" -p >/dev/null 2>&1
    "$WINE" wineboot >/dev/null 2>&1
    "$WINE" net start rpcss >/dev/null 2>&1 || true  # fails when already running
    echo "Wine prefix ($WINEARCH) ready at $WINEPREFIX, display $DISPLAY"
}

shift 2
"$action" "$@"
