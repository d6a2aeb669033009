#!/usr/bin/env bash
# Registers (on) or removes (off) qemu's user-mode emulation for 32-bit x86 programs with binfmt_misc,
# so that 32-bit Wine and the programs it starts run where the kernel refuses them. Needs root.
# Registered, it takes every 32-bit program of the machine, also where the kernel could run them.
set -euo pipefail
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/qemu-i386
case "${1:-}" in
  on)
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
    if [ ! -e "$entry" ]; then
      # "F": the kernel opens the emulator at registration, so it works inside Wine's own namespaces too.
      printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
        >"$binfmt/register"
    fi ;;
  off)
    if [ -e "$entry" ]; then echo -1 >"$entry"; fi ;;
  *)
    echo "usage: $0 on|off" >&2
    exit 2 ;;
esac
