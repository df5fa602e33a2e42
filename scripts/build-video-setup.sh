#!/usr/bin/env bash
# Builds the installer of the recorder for one build tree: the tree's setup.exe
# with the setup data of setup/video-setup/video-setup.ini (and the tree's
# video.exe) appended, written to <tree>/bin/video-setup/setup.exe. mksetup runs
# from the x86_64 tree under Wine (the only one Wine runs here).
#   scripts/build-video-setup.sh build-win32|build
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
tree="$repo/${1:-build-win32}"
mksetup="$repo/build/bin/mksetup.exe"
for file in "$tree/bin/setup.exe" "$tree/bin/video.exe" "$mksetup"; do
  [ -f "$file" ] || { echo "build-video-setup: $file is missing; build both trees first" >&2; exit 1; }
done
stage="$tree/video-setup-stage"
out="$tree/bin/video-setup"
rm -rf "$stage" && mkdir -p "$stage" "$out"
cp "$repo/setup/video-setup/video-setup.ini" "$tree/bin/video.exe" "$tree/bin/setup.exe" "$stage/"
rm -f "$out/setup.exe"
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix-run}"
mkdir -p "$(dirname "$WINEPREFIX")"
# Wine's first run starts services that inherit our pipes: keep them away.
source "$repo/scripts/wine-env.sh"
ferrin_without_aslr "$0" "$@"
setsid "$WINE" wineboot -i </dev/null >/dev/null 2>&1
(cd "$stage" && "$WINE" "$mksetup" video-setup.ini setup.exe setup-with-data.exe </dev/null)
"$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
mv "$stage/setup-with-data.exe" "$out/setup.exe"
rm -rf "$stage"
echo "build-video-setup: $out/setup.exe"
