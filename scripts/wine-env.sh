# Sourced: the environment every Wine run of this project uses. A prefix
# under the build folder, code page 936 through the zh_CN.UTF-8 locale, no debug noise.
_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# FERRIN_WINE_ARCH=win32 (set by scripts/win32-session.sh) runs the shipped
# 32-bit build in a 32-bit prefix of its own; otherwise the 64-bit build runs.
if [ "${FERRIN_WINE_ARCH:-win64}" = win32 ]; then
  export WINEPREFIX="${WINEPREFIX:-$_repo/build-win32/wineprefix}"
  export WINEARCH=win32
else
  export WINEPREFIX="${WINEPREFIX:-$_repo/build/wineprefix}"
  # Test programs are the 64-bit build of the sources (see cmake/mingw.cmake).
  export WINEARCH=win64
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=zh_CN.UTF-8
unset LC_ALL LC_CTYPE LC_MESSAGES LC_COLLATE LC_NUMERIC LC_TIME LC_MONETARY LANGUAGE
# The loader of the prefix's width directly: the generic wrapper prefers the
# 32-bit one when installed.
if [ "$WINEARCH" = win32 ]; then
  export WINE=/usr/lib/wine/wine
else
  export WINE=/usr/lib/wine/wine64
  [ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine)
fi
export WINELOADER="$WINE"
export WINESERVER=$(dirname "$WINE")/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
unset _repo

# Debian's 64-bit Wine comes without the preloader that reserves the addresses
# Wine must have before the system's loader maps anything. With address
# randomisation, about one start in a thousand finds the page of the shared user
# data taken ("failed to map the shared user data", c0000018) and ends at once
# with status 1 and, under WINEDEBUG=-all, no word. A script that starts Wine
# calls this right after sourcing this file: it runs the script once more
# without address randomisation, which every process it starts inherits.
#   ferrin_without_aslr "$0" "$@"
ferrin_without_aslr() {
  [ -n "${FERRIN_NO_ASLR:-}" ] && return 0
  export FERRIN_NO_ASLR=1
  exec setarch "$(uname -m)" -R bash "$@"
}
