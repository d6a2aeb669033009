#!/usr/bin/env bash
# Prints how this machine can run the shipped 32-bit build's Windows programs under 32-bit Wine:
#   native    the kernel executes 32-bit programs itself;
#   emulated  it refuses them, but qemu's user-mode emulation is installed to run them
#             (tools/ci/i386-emulation.sh registers it);
#   none      neither.
# VORLANE_I386=emulated takes the emulated path on any machine that has the emulator, to try it out.
set -u
entry=/proc/sys/fs/binfmt_misc/qemu-i386
emulator=/usr/bin/qemu-i386-static
loader=/usr/lib/wine/wine

runs() { "$loader" --version >/dev/null 2>&1; }

if [ "${VORLANE_I386:-}" = emulated ] && [ -x "$emulator" ]; then
  echo emulated
  exit 0
fi
native=no
if [ -f "$entry" ] && grep -qx enabled "$entry" 2>/dev/null; then
  # A registered emulator takes every 32-bit program: whether the kernel runs them itself shows only
  # with it switched off for a moment.
  if echo 0 >"$entry" 2>/dev/null; then
    runs && native=yes
    echo 1 >"$entry"
  fi
else
  runs && native=yes
fi
if [ $native = yes ]; then
  echo native
elif [ -x "$emulator" ]; then
  echo emulated
else
  echo none
fi
