#!/usr/bin/env bash
# Starts the recorder (build/bin/video.exe) under Wine on the virtual camera
# beside it (tools/vcam as avicap32.dll): on the user's display when there is
# one, else on a private Xvfb display. Ends when the program ends (or Ctrl+C).
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
repo=$(cd "$(dirname "$0")/.." && pwd)
bin="$repo/build/bin"
for file in video.exe avicap32.dll; do
  [ -f "$bin/$file" ] || { echo "run-video: $bin/$file is missing; run 'make build' first" >&2; exit 1; }
done

# A prefix of its own, so that a running recorder never meets a test session.
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
  [ -n "$xvfb_pid" ] || { echo "run-video: no display and no free Xvfb display" >&2; exit 1; }
  echo "run-video: no display here; the recorder runs on Xvfb display $DISPLAY (Ctrl+C ends it)"
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

cd "$bin"
WINEDLLOVERRIDES="avicap32=n" "$WINE" video.exe
status=$?
echo "run-video: video.exe ended with code $status"
