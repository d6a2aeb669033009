#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing the plug-ins.
# Needs root (or sudo); does nothing when everything is already there.
set -euo pipefail

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(cmake ninja-build g++ clang clang-14 libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
          wine wine64 wine32:i386 xvfb xauth python3 file bc
          mingw-w64-tools libwine-dev
          wixl msitools zip unzip python3-pefile imagemagick)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
install() {
  echo "installing: $*"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}
if [ ${#missing[@]} -ne 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  install "${missing[@]}"
fi

# Where the kernel refuses 32-bit programs, 32-bit Wine still runs under qemu's user-mode emulation.
if [ "$(bash "$(dirname "$0")/i386-mode.sh")" = none ]; then
  install qemu-user-static
fi
