#!/usr/bin/env bash
# Starts the recorder (build/bin/video.exe) under Wine on the virtual camera
# beside it (tools/vcam as avicap32.dll): on the user's display when there is
# one, else on a private Xvfb display. Ends when the recorder and every program it
# started have ended, or on Ctrl+C.
set -uo pipefail
source "$(dirname "$0")/run-session.sh"
repo=$(cd "$(dirname "$0")/.." && pwd)
bin="$repo/build/bin"
for file in video.exe avicap32.dll; do
  [ -f "$bin/$file" ] || { echo "run-video: $bin/$file is missing; run 'make build' first" >&2; exit 1; }
done

start_run_session run-video "the recorder"

cd "$bin"
WINEDLLOVERRIDES="avicap32=n" "$WINE" video.exe
status=$?
echo "run-video: video.exe ended with code $status"
wait_for_prefix_programs run-video
