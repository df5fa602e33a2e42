#!/usr/bin/env bash
# Builds the recorder's installer for the x86_64 tree (build/bin/video-setup/
# setup.exe) and starts it under Wine: on the user's display when there is one,
# else on a private Xvfb display. Ends when the installer ends (or Ctrl+C).
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
repo=$(cd "$(dirname "$0")/.." && pwd)
bin="$repo/build/bin/video-setup"

# A prefix of its own, so that a running installer never meets a test session.
export WINEPREFIX="$repo/build/wineprefix-run"
mkdir -p "$(dirname "$WINEPREFIX")"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if [ -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=":$n"; break; fi
    kill "$xvfb_pid" 2>/dev/null; xvfb_pid=""
  done
  [ -n "$xvfb_pid" ] || { echo "run-setup: no display and no free Xvfb display" >&2; exit 1; }
  echo "run-setup: no display here; the installer runs on Xvfb display $DISPLAY (Ctrl+C ends it)"
fi

cleanup() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Wine's first run starts service processes that inherit our pipes: boot the
# prefix with all of them pointed elsewhere.
setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1
setsid "$WINE" wineboot -i </dev/null >/dev/null 2>&1

bash "$repo/scripts/build-video-setup.sh" build || exit 1
cd "$bin"
"$WINE" setup.exe
status=$?
echo "run-setup: setup.exe ended with code $status"
