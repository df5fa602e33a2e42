#!/usr/bin/env bash
# Runs a Windows program under the project's Wine environment (the emulator CTest uses).
# A file wine-test.env beside the program adds its NAME=value lines to the environment.
source "$(dirname "$0")/wine-env.sh"
ferrin_without_aslr "$0" "$@"
env_file="$(dirname "$1")/wine-test.env"
if [ -f "$env_file" ]; then
  while IFS= read -r line || [ -n "$line" ]; do
    [ -n "$line" ] && export "$line"
  done <"$env_file"
fi
exec "$WINE" "$@"
