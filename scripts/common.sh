# Shared by the scripts: where things live, and a quiet way to run steps.
# Sourced, not run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
LOGS="$BUILD/logs"
TARGETS="win32 win64"
mkdir -p "$LOGS"

say() { printf '%s\n' "$*"; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# quietly LOGNAME COMMAND...: runs COMMAND with its output in build/logs;
# on failure shows the log's end and stops the script.
quietly() {
    local log="$LOGS/$1.log"; shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        die "'$*' failed; the whole output is in $log"
    fi
}

triple_of() {
    case "$1" in
        win32) echo i686-w64-mingw32 ;;
        win64) echo x86_64-w64-mingw32 ;;
        *) die "unknown target '$1' (win32 or win64)" ;;
    esac
}
