#!/usr/bin/env bash
# Builds the target's libjpeg (from Debian's source package) and GoogleTest
# (from /usr/src/googletest) into a cache folder outside the clone, so that
# a second clone on the same machine reuses them. Runs for one architecture
# take turns on a lock beside the cache; each works in a folder of its own, so
# that a run started at the same time waits and then finds the cache built.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:?usage: build-deps.sh i686|x86_64}
deps="$("$repo/scripts/deps-dir.sh")/$arch"
stamp="$deps/.built-v1"
[ -f "$stamp" ] && exit 0

mkdir -p "$deps"
exec 9>"$deps.lock"
flock 9
# Another run may have finished while this one waited.
[ -f "$stamp" ] && exit 0

toolchain="$repo/cmake/mingw.cmake"
work=$(mktemp -d "$deps.work.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

echo "Building libjpeg-turbo for $arch into $deps"
apt-get source -q --download-only libjpeg-turbo >/dev/null
dpkg-source -x --no-check libjpeg-turbo_*.dsc jpeg-src >/dev/null
cmake -S jpeg-src -B build-jpeg -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DFERRIN_ARCH="$arch" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" \
  -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 -DWITH_JPEG8=0 \
  -DCMAKE_CROSSCOMPILING_EMULATOR= >/dev/null
cmake --build build-jpeg >/dev/null
cmake --install build-jpeg >/dev/null

echo "Building GoogleTest for $arch into $deps"
cmake -S /usr/src/googletest -B build-gtest -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DFERRIN_ARCH="$arch" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_GMOCK=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR= >/dev/null
cmake --build build-gtest >/dev/null
cmake --install build-gtest >/dev/null

# The stamp comes last: a run that failed half-way leaves the cache to be built again.
touch "$stamp"
