# Starting and stopping a private Xvfb display and a persistent wineserver.
# Sourced by scripts/test and scripts/run after common.sh.
source "$ROOT/scripts/wine-env.sh"

XVFB_PID=""
start_xvfb() {
    local fdfile; fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >"$LOGS/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.05
    done
    [ -s "$fdfile" ] || die "Xvfb did not start (see $LOGS/xvfb.log)"
    export DISPLAY=":$(head -n 1 "$fdfile")"
    rm -f "$fdfile"
}

start_wineserver() {
    mkdir -p "$WINEPREFIX"
    "$WINESERVER" -p
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        say "wine: making the prefix $WINEPREFIX"
        quietly wineboot "$WINE" wineboot.exe --init
        # No window manager runs on the test display: unmanaged windows
        # show and hide at once instead of waiting for one.
        quietly wine-unmanaged "$WINE" reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
        # A test program that crashes prints its backtrace and ends, instead
        # of waiting in the crash dialog for a click until its time is up.
        quietly wine-crashes "$WINE" reg.exe add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    fi
    # Wine's own services start with the first program of a wineserver and
    # outlive it; started here, they hold no test's output open.
    quietly wine-services "$WINE" wineboot.exe
    # This Wine does not look in the folder of Debian's fonts-wine, so
    # Tahoma, MS Sans Serif and the window-button glyphs go into the prefix,
    # without the bitmap strikes that Wine draws at sizes it measures from
    # the outlines (the script rewrites only what changed).
    quietly wine-fonts /usr/bin/python3 "$ROOT/scripts/outline-fonts.py" \
        /usr/share/wine/fonts "$WINEPREFIX/drive_c/windows/Fonts"
}

stop_display() {
    [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
}
