# Sourced: the environment every Wine run of this project uses. A prefix
# under the build folder, code page 936 through the zh_CN.UTF-8 locale, no debug noise.
_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$_repo/build/wineprefix}"
# Test programs are the 64-bit build of the sources (see cmake/mingw.cmake).
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=zh_CN.UTF-8
unset LC_ALL LC_CTYPE LC_MESSAGES LC_COLLATE LC_NUMERIC LC_TIME LC_MONETARY LANGUAGE
# The 64-bit loader directly: the generic wrapper prefers the 32-bit one when installed.
export WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine)
export WINELOADER="$WINE"
export WINESERVER=$(dirname "$WINE")/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
unset _repo
