# Sourced by the Wine scripts: the environment that runs Windows programs of
# one build in a state folder of its own. The folder keeps the build's name
# (win32 or win64) in its file `arch` and its prefix in `prefix/`.
#   use_wine_state STATE_DIR [win32|win64]
# Exports WINEPREFIX, WINEARCH, WINELOADER and WINESERVER; sets WINE, the
# loader to run programs with.

# Debian's `wine` command always picks the 32-bit loader when wine32 is
# installed, even where it cannot run, so each build names its own.
use_wine_state() {
    local state=$1 arch=${2:-}
    if [ -n "$arch" ]; then
        echo "$arch" >"$state/arch"
    else
        arch=$(cat "$state/arch")
    fi
    case "$arch" in
        win32) WINE=/usr/lib/wine/wine ;;
        win64) WINE=/usr/lib/wine/wine64 ;;
        *) echo "unknown Windows build '$arch' (win32 or win64)" >&2; return 2 ;;
    esac
    # The 64-bit server serves both kinds of program; as Debian's own
    # `wineserver` command does, take it where it is installed.
    WINESERVER=/usr/lib/wine/wineserver64
    [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver32
    export WINEPREFIX="$state/prefix" WINEARCH=$arch WINELOADER=$WINE WINESERVER
    export WINEDEBUG=${WINEDEBUG:--all}
    # The folder's own virtual display, when one was started for it.
    if [ -f "$state/display" ]; then
        DISPLAY=":$(cat "$state/display")"
        export DISPLAY
    fi
}
