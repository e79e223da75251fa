# The Wine environment of the project's tests and runs. Sourced, not run.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
# Two prefixes: build/wineprefix is the user's, for scripts/run; the tests
# have build/test-prefix, so that what they store never meets a user's start
# and what a user did by hand never meets a test.
ZV_BUILD="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build"
USER_PREFIX="$ZV_BUILD/wineprefix"
TEST_PREFIX="$ZV_BUILD/test-prefix"
export WINEPREFIX="${WINEPREFIX:-$USER_PREFIX}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
