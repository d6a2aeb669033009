#!/usr/bin/env bash
# The shipped 32-bit DLLs under 32-bit Wine where the kernel refuses 32-bit programs: qemu's user-mode
# emulation runs them, at a minute or more of processor time per Wine process start, so this run is built
# from few starts, two at a time: the six DLLs validated in one child process, and beside it one real
# open-file dialog (Moltrin) and one real drop (Carvesh onto a running encoder).
# Left to the win64 build: checks that raise a processor fault (32-bit Wine under the emulator does not
# survive one), and the clip-list check, whose second Fennick run opens the real folder browser on the
# folder of the first: under the emulator Wine's shell then waits for ever inside the display name of
# drive Z: (GetVolumeInformationW, after "Read access denied for device \??\Z:\"), before the browser
# is shown. Moltrin's clip list is read back after its dialog instead. Needs root: it registers the emulator for the run and removes it afterwards.
#   win32-emulated.sh WIN32_BUILD_DIR
set -uo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "$1")
registered=no
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  bash tools/ci/i386-emulation.sh on || exit 1
  registered=yes
fi
trap '[ $registered = no ] || bash tools/ci/i386-emulation.sh off' EXIT

# The plug-ins keep their clip lists and settings beside themselves: each group gets its own copy, and
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
# The test program's waits for a started encoder.
export VORLANE_CHILD_TIMEOUT_S=600
export build work
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  step() {
    local name=$1 started=$SECONDS rc=0
    shift
    "$@" >"$work/$name.log" 2>&1 || rc=$?
    if [ $rc -eq 0 ]; then echo "passed ($((SECONDS - started)) s)" >"$work/$name.result"
    else echo "FAILED, exit $rc ($((SECONDS - started)) s)" >"$work/$name.result"; fi
  }
  show() {
    echo "-- $1: $(cat "$work/$1.result")"
    local passed=no
    grep -q "^passed" "$work/$1.result" && passed=yes
    # Wine'"'"'s own start-up chatter is shown only when the prefix could not be made.
    if [ $passed = no ] || [ "$1" != prefix ]; then sed "s/^/   /" "$work/$1.log" | tr -d "\r"; fi
    [ $passed = yes ]
  }
  win() { local dir=$1; shift; (cd "$dir" && timeout 1200 /usr/lib/wine/wine "$@"); }
  # A 64-bit prefix where Wine has one: its own services then run natively, only our programs emulated.
  prefix() {
    if [ -x /usr/lib/wine/wine64 ]; then /usr/lib/wine/wine64 wineboot -i; else /usr/lib/wine/wine wineboot -i; fi
    wineserver -w
  }
  validate() {
    win "$work/validate" plugin-host.exe validate Brovix.dll Lundrel.dll Carvesh.dll Moltrin.dll Fennick.dll \
      Sorrend.dll --level 3 --no-fault-checks --one-child --skip clip-list --timeout-ms 600000
  }
  dialog() {
    win "$work/dialog" plugin-host.exe receive Moltrin.dll --open "Z:${work//\//\\}\\disk\\tape0007.dlx" &&
      [ "$(grep -c "^\[Clip" "$work/dialog/vorlane.ini")" -eq 3 ]
  }
  drop() {
    win "$build/bin" plugins_encoder_delivery_wine_test.exe \
      --gtest_filter=EncoderDeliveryUnderWine.MediaCleanerProAlreadyRunningIsDroppedOn
  }
  step prefix prefix
  show prefix || exit 1
  wineserver -p
  step validate validate &
  { step dialog dialog; step drop drop; } &
  wait
  status=0
  for name in validate dialog; do show $name || status=1; done
  # Reported, not counted: the drop needs two emulated programs to meet within the hand-off budgets.
  show drop || echo "   (the drop is reported only)"
  wineserver -k >/dev/null 2>&1
  exit $status'
