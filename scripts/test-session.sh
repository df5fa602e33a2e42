#!/usr/bin/env bash
# Runs a command (normally ctest) inside a test session: a private Xvfb display,
# a booted Wine prefix and a persistent wineserver detached from every pipe.
# Both are stopped again when the command ends.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
ferrin_without_aslr "$0" "$@"

# One session at a time owns the shared prefix; a session started meanwhile
# gets a private prefix of its own, removed again at the end.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
private_prefix=""
if ! flock -n 9; then
  private_prefix="$WINEPREFIX-session-$$"
  export WINEPREFIX="$private_prefix"
fi

# The first free display number whose server really starts (two sessions may race for one);
# no screen saver or power saving during long runs.
display=""
xvfb_pid=""
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -s 0 -dpms </dev/null >/dev/null 2>&1 9>&- &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
export DISPLAY="$display"

cleanup() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  [ -n "$private_prefix" ] && rm -rf "$private_prefix"
}
trap cleanup EXIT

# Wine's first run starts service processes that inherit our pipes: boot with
# all of them pointed elsewhere, then keep one wineserver alive for the tests.
# The server starts only in an existing prefix folder: without one it would not
# persist, and each idle moment between tests would end Wine's session, to be
# booted again by the next test (its services inheriting that test's pipes).
start_wine() {
  setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 9>&- || { echo "test-session: no wineserver" >&2; exit 1; }
  setsid "$WINE" wineboot "$@" </dev/null >/dev/null 2>&1 9>&-
}
mkdir -p "$WINEPREFIX"
if [ -f "$WINEPREFIX/system.reg" ]; then
  start_wine -i
else
  # Creating a prefix leaves a second service manager that spends a minute and
  # more timing out on services the first one runs, its database locked; every
  # program whose COM start-up needs the RPC service stalls 10 s meanwhile.
  # Ending that session and booting the made prefix once more avoids it.
  start_wine -i
  "$WINESERVER" -k </dev/null >/dev/null 2>&1
  "$WINESERVER" -w </dev/null >/dev/null 2>&1
  start_wine
fi
# Without a window manager Wine waits 2 s for every visible top-level window it
# destroys, unless its windows are unmanaged.
setsid "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 9>&-

"$@"
