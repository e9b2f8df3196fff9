#!/usr/bin/env bash
# Sets up, or tears down, what the Windows programs need to run here: a
# fresh 32-bit Wine prefix and a virtual X display of their own.
#   wine-env.sh start STATE_DIR    new prefix, Xvfb on a free display
#   wine-env.sh stop STATE_DIR     stop Wine's server and the display
set -euo pipefail
action=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
export WINEPREFIX="$state/prefix" WINEARCH=win32 WINEDEBUG=-all

stop() {
    if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
}

start() {
    stop
    rm -rf "$WINEPREFIX"

    # Xvfb picks a free display and writes its number to the descriptor.
    exec 3>"$state/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    exec 3>&-
    for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
    [ -s "$state/display" ] || { echo "Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(cat "$state/display")"

    wineboot -i >/dev/null 2>&1
    # Without a window manager, Wine waits on every hidden managed window.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crash fails at once, its backtrace going to the test's log.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    # One server for the whole run keeps every later start quick. Its system
    # processes (services, RPC, the desktop) start here, not inside a test,
    # where they would wait for a service and hold on to the test's output.
    wineserver -p >/dev/null 2>&1
    wineboot >/dev/null 2>&1
    wine net start rpcss >/dev/null 2>&1 || true  # fails when already running
    echo "Wine prefix ready at $WINEPREFIX, display $DISPLAY"
}

"$action"
