#!/usr/bin/env bash
# The shipped 32-bit DLLs under 32-bit Wine where the kernel refuses 32-bit programs: qemu's user-mode
# emulation runs them, at about a minute of processor time per Wine process start, so this run is built
# from few starts, side by side: the six DLLs validated in one child process; Moltrin through the real
# open-file dialog; Carvesh dropping an export's files onto a running stand-in encoder by OLE drag and
# drop.
#
# Left to the win64 build: checks that raise a processor fault (32-bit Wine under the emulator does not
# survive one). The prefix's drive Z: (the root of the file system, a mount point) is replaced by a drive
# D: for this run's folder: for a mount point Wine looks for the volume's label in its block device, and
# under the emulator the shell's dialogs waited for ever there now and then. Each step has a time limit;
# the result is reported without failing the run. Needs root: it registers the emulator for the run and
# removes it afterwards.
#   win32-emulated.sh WIN32_BUILD_DIR
set -uo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "$1")
registered=no
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  bash tools/ci/i386-emulation.sh on || exit 0
  registered=yes
fi
trap '[ $registered = no ] || bash tools/ci/i386-emulation.sh off' EXIT

# The plug-ins keep their clip lists and settings beside themselves: each step gets its own copy, and
# the build folder stays clean.
work=$build/emulated
rm -rf "$work"
for group in validate dialog drop; do
  mkdir -p "$work/$group"
  cp "$build"/bin/{Brovix,Lundrel,Carvesh,Moltrin,Fennick,Sorrend,corvana,pindle,ruskane}.dll \
     "$build/bin/plugin-host.exe" "$work/$group/"
done
cp -r examples/recorder-disk "$work/disk"
# The drop: a running stand-in Media Cleaner Pro, and an export of two objects over two media files.
mkdir -p "$work/drop/Pro" "$work/drop/media"
cp "$build/bin/fake_encoder.exe" "$work/drop/Pro/MediaCleanerPro.exe"
printf 'media\n' >"$work/drop/media/harbour.avi"
printf 'media\n' >"$work/drop/media/quay.wav"
printf '[GENERAL]\r\nOBJCOUNT=2\r\n[OBJ1]\r\nMEDIA_V=D:\\drop\\media\\harbour.avi\r\nMEDIA_A1=D:\\drop\\media\\quay.wav\r\n[OBJ2]\r\nMEDIA_A2=D:\\drop\\media\\quay.wav\r\n' \
  >"$work/drop/export.ini"

export WINEPREFIX=$build/wineprefix-emulated WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export build work
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  step() {
    local name=$1 limit=$2 started=$SECONDS rc=0
    shift 2
    timeout "$limit" bash -c "$*" >"$work/$name.log" 2>&1 || rc=$?
    if [ $rc -eq 0 ]; then echo "passed ($((SECONDS - started)) s)" >"$work/$name.result"
    elif [ $rc -eq 124 ]; then echo "did not end within $limit s" >"$work/$name.result"
    else echo "FAILED, exit $rc ($((SECONDS - started)) s)" >"$work/$name.result"; fi
  }
  show() {
    echo "-- $1: $(cat "$work/$1.result")"
    sed "s/^/   /" "$work/$1.log" | tr -d "\r"
  }
  # A 64-bit prefix where Wine has one: its own services then run natively, only our programs emulated.
  # Drive letters are read when its services start, so the new drive is made while none runs.
  prefix() {
    if [ -x /usr/lib/wine/wine64 ]; then /usr/lib/wine/wine64 wineboot -i; else /usr/lib/wine/wine wineboot -i; fi
    wineserver -w
    rm -f "$WINEPREFIX/dosdevices/z:"
    ln -sfn "$work" "$WINEPREFIX/dosdevices/d:"
    local reg=/usr/lib/wine/wine; [ -x /usr/lib/wine/wine64 ] && reg=/usr/lib/wine/wine64
    for view in 32 64; do
      "$reg" reg add "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MediaCleanerPro.EXE" /ve \
        /d "D:\\drop\\Pro\\MediaCleanerPro.exe" /f /reg:$view || return 1
    done
  }
  validate() {
    cd "$work/validate" && /usr/lib/wine/wine plugin-host.exe validate Brovix.dll Lundrel.dll Carvesh.dll \
      Moltrin.dll Fennick.dll Sorrend.dll --level 4 --no-fault-checks --one-child --timeout-ms 300000
  }
  dialog() {
    cd "$work/dialog" && /usr/lib/wine/wine plugin-host.exe receive Moltrin.dll --open "D:\\disk\\tape0007.dlx" &&
      [ "$(grep -c "^\[Clip" "$work/dialog/vorlane.ini")" -eq 3 ]
  }
  # The encoder is started first and found by Carvesh by its window, so that its own start (a minute
  # under the emulator) does not count against the wait that Carvesh allows a starting encoder.
  drop() {
    cd "$work/drop" || return 1
    /usr/lib/wine/wine "D:\\drop\\Pro\\MediaCleanerPro.exe" already-running give-up=600 &
    local waited=0
    until [ -f Pro/command-line.txt ]; do
      sleep 5; waited=$((waited + 5))
      [ $waited -lt 300 ] || { echo "the stand-in encoder did not start within 300 s"; return 1; }
    done
    echo "stand-in encoder running after $waited s"
    # What arrived is shown whatever the host did afterwards: a host that fails at exit still dropped.
    local rc=0
    /usr/lib/wine/wine plugin-host.exe send Carvesh.dll "D:\\drop\\export.ini" || rc=$?
    for _ in $(seq 60); do [ -f Pro/dropped.txt ] && break; sleep 1; done
    echo "plugin-host exit $rc; dropped onto the encoder:"; cat Pro/dropped.txt 2>/dev/null || echo "nothing"
    [ $rc -eq 0 ] && [ "$(wc -l <Pro/dropped.txt 2>/dev/null)" = 2 ]
  }
  export -f prefix validate dialog drop
  step prefix 900 prefix
  if ! grep -q "^passed" "$work/prefix.result"; then show prefix; exit 0; fi
  echo "-- prefix: $(cat "$work/prefix.result")"
  wineserver -p
  step validate 900 validate &
  step dialog 600 dialog &
  step drop 900 drop &
  wait
  show validate
  show dialog
  show drop
  wineserver -k >/dev/null 2>&1
  exit 0'
