#!/usr/bin/env bash
# Runs a Windows program under the project's Wine environment (the emulator CTest uses).
source "$(dirname "$0")/wine-env.sh"
exec "$WINE" "$@"
