#!/usr/bin/env bash
# Runs a command (normally ctest) inside a test session: a private Xvfb display,
# a booted Wine prefix and a persistent wineserver detached from every pipe.
# Both are stopped again when the command ends.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"

cleanup() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

mkdir -p "$(dirname "$WINEPREFIX")"
# Wine's first run starts service processes that inherit our pipes: boot with
# all of them pointed elsewhere, then keep one wineserver alive for the tests.
setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1
setsid "$WINE" wineboot -i </dev/null >/dev/null 2>&1

"$@"
