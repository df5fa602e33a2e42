#!/usr/bin/env bash
# Puts qemu-i386 (user-mode emulation, from Debian's bookworm-backports) into the
# dependency cache and prints its path. Debian 12's own qemu-user-static is too
# old to run Wine; the newer binary is taken from its package with apt's own
# download into a private folder, without adding a source to the system.
set -euo pipefail
deps=$(bash "$(dirname "$0")/deps-dir.sh")
target="$deps/qemu/qemu-i386"
if [ -x "$target" ]; then echo "$target"; exit 0; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/archives/partial"
echo "deb http://deb.debian.org/debian bookworm-backports main" >"$work/sources.list"
apt_opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
          -o Dir::State::Lists="$work/lists" -o Dir::Cache::Archives="$work/archives"
          -o APT::Sandbox::User=root -q)
apt-get "${apt_opts[@]}" update >&2
(cd "$work" && apt-get "${apt_opts[@]}" download qemu-user >&2)
dpkg-deb -x "$work"/qemu-user_*.deb "$work/x"
mkdir -p "$(dirname "$target")"
# Into place in one step, so that a second run at the same time never sees half a file.
cp "$work/x/usr/bin/qemu-i386" "$target.$$"
mv -f "$target.$$" "$target"
echo "$target"
