#!/usr/bin/env bash
# Installs what building and testing needs on a Debian 12 host: Wine (32-bit),
# Xvfb, the zh_CN.UTF-8 locale, Chinese fonts, the MinGW-w64 compilers and the
# target's zlib. Does nothing when everything is already there.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# wine32 stays: where the kernel runs 32-bit code it runs the shipped programs as they are.
packages=(wine wine32:i386 wine64 xvfb xauth locales fonts-wqy-microhei fonts-wine
          gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          libz-mingw-w64-dev cmake make dpkg-dev ninja-build
          clang libclang-rt-14-dev zlib1g-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

have_locale() { locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; }
src_list=/etc/apt/sources.list.d/project-deb-src.sources

if [ ${#missing[@]} -gt 0 ] || ! [ -f "$src_list" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  # Source entries beside the existing lists, for the target's libjpeg build.
  if ! [ -f "$src_list" ]; then
    $SUDO tee "$src_list" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  $SUDO apt-get update -q
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
fi

if ! have_locale; then
  $SUDO sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
