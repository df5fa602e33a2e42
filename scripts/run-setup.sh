#!/usr/bin/env bash
# Builds the recorder's installer for the x86_64 tree (build/bin/video-setup/
# setup.exe) and starts it under Wine: on the user's display when there is one,
# else on a private Xvfb display. Ends when the installer and every program it
# started (the recorder from its finish page) have ended, or on Ctrl+C.
set -uo pipefail
source "$(dirname "$0")/run-session.sh"
repo=$(cd "$(dirname "$0")/.." && pwd)
bin="$repo/build/bin/video-setup"

start_run_session run-setup "the installer"

bash "$repo/scripts/build-video-setup.sh" build || exit 1
cd "$bin"
"$WINE" setup.exe
status=$?
echo "run-setup: setup.exe ended with code $status"
wait_for_prefix_programs run-setup
