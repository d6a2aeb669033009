#!/usr/bin/env bash
# The shipped 32-bit DLLs under 32-bit Wine where the kernel refuses 32-bit programs: qemu's user-mode
# emulation runs them, at a minute or more of processor time per Wine process start, so this run is built
# from few starts, two at a time: the six DLLs validated in one child process, and beside it Moltrin
# through the real open-file dialog.
#
# Left to the win64 build: checks that raise a processor fault (32-bit Wine under the emulator does not
# survive one), and the checks that open a plug-in's dialog. Under the emulator, Wine's shell now and
# then waits for ever inside the display name of drive Z: (GetVolumeInformationW, right after "Read
# access denied for device \??\Z:\"), before the dialog is shown: seen with the folder browser opened on
# a folder and with the open-file dialog, while the same runs pass at other times. So each step has a
# time limit, and the result is reported without failing the run. Needs root: it registers the emulator
# for the run and removes it afterwards.
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
for group in validate dialog; do
  mkdir -p "$work/$group"
  cp "$build"/bin/{Brovix,Lundrel,Carvesh,Moltrin,Fennick,Sorrend,corvana,pindle,ruskane}.dll \
     "$build/bin/plugin-host.exe" "$work/$group/"
done
cp -r examples/recorder-disk "$work/disk"

export WINEPREFIX=$build/wineprefix-emulated WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export build work
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  step() {
    local name=$1 limit=$2 started=$SECONDS rc=0
    shift 2
    timeout "$limit" "$@" >"$work/$name.log" 2>&1 || rc=$?
    if [ $rc -eq 0 ]; then echo "passed ($((SECONDS - started)) s)" >"$work/$name.result"
    elif [ $rc -eq 124 ]; then echo "did not end within $limit s" >"$work/$name.result"
    else echo "FAILED, exit $rc ($((SECONDS - started)) s)" >"$work/$name.result"; fi
  }
  show() {
    echo "-- $1: $(cat "$work/$1.result")"
    sed "s/^/   /" "$work/$1.log" | tr -d "\r"
  }
  # A 64-bit prefix where Wine has one: its own services then run natively, only our programs emulated.
  prefix() {
    if [ -x /usr/lib/wine/wine64 ]; then /usr/lib/wine/wine64 wineboot -i; else /usr/lib/wine/wine wineboot -i; fi
    wineserver -w
  }
  validate() {
    cd "$work/validate" && /usr/lib/wine/wine plugin-host.exe validate Brovix.dll Lundrel.dll Carvesh.dll \
      Moltrin.dll Fennick.dll Sorrend.dll --level 3 --no-fault-checks --one-child --skip out-of-order \
      --skip clip-list --timeout-ms 300000
  }
  dialog() {
    cd "$work/dialog" && /usr/lib/wine/wine plugin-host.exe receive Moltrin.dll \
      --open "Z:${work//\//\\}\\disk\\tape0007.dlx" &&
      [ "$(grep -c "^\[Clip" "$work/dialog/vorlane.ini")" -eq 3 ]
  }
  step prefix 600 prefix
  if ! grep -q "^passed" "$work/prefix.result"; then show prefix; exit 0; fi
  echo "-- prefix: $(cat "$work/prefix.result")"
  wineserver -p
  step validate 600 validate &
  step dialog 420 dialog &
  wait
  show validate
  show dialog
  wineserver -k >/dev/null 2>&1
  exit 0'
