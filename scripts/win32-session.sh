#!/usr/bin/env bash
# Runs a command (normally ctest on build-win32/) in a 32-bit Wine session: the
# shipped i686 programs under Debian's 32-bit Wine, on a kernel that runs no
# 32-bit code, through qemu-i386 registered for 32-bit ELF files. The
# registration lives only in a private user and mount namespace (each user
# namespace has its own binfmt_misc), so that no other Wine on the machine is
# emulated; the session itself (Xvfb, booted prefix under build-win32/,
# wineserver) is scripts/test-session.sh's, and everything stops at the end.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${FERRIN_WIN32_NAMESPACE:-}" ]; then
  qemu=$(bash "$here/qemu-i386.sh") || { echo "win32-session: no qemu-i386" >&2; exit 1; }
  exec unshare --user --map-root-user --mount \
    env FERRIN_WIN32_NAMESPACE=1 FERRIN_QEMU="$qemu" bash "$0" "$@"
fi

mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || exit 1
# 32-bit x86 ELF executables and shared objects; F opens the interpreter now,
# so it is found from every mount namespace of the session.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
printf ':qemu-i386:M::%s:%s:%s:F' "$magic" "$mask" "$FERRIN_QEMU" >/proc/sys/fs/binfmt_misc/register || exit 1

export FERRIN_WINE_ARCH=win32
exec bash "$here/test-session.sh" "$@"
