#!/usr/bin/env bash
# Every test: installs what is missing, then builds and tests the native build, the sanitizer build,
# runs the fuzz targets briefly, then tests the shipped 32-bit Windows build and the same Windows
# sources for x86_64 under 64-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/ci/install-deps.sh

jobs=$(nproc)
status=0
run() { echo "== $*"; "$@" || status=1; }
# ctest with its result counts kept for the summary at the end.
ctest_logged() {
  local preset=$1 rc=0
  shift
  ctest --preset "$preset" "$@" | tee "build/$preset/ctest.log" || rc=$?
  summarise "$preset"
  return $rc
}
summarise() {
  local log=build/$1/ctest.log
  {
    grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1
    echo "  ($(grep -c 'Not Run (Disabled)' "$log") disabled, $(grep -c '\*\*\*Skipped' "$log") skipped)"
  } | tr -d '\n' >"build/$1/ctest-summary.txt"
  echo >>"build/$1/ctest-summary.txt"
}

# CI fails on any warning in the project's own code.
werror=-DVORLANE_WARNINGS_AS_ERRORS=ON

for preset in native native-asan; do
  cmake --preset "$preset" "$werror" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  run ctest_logged "$preset" -j "$jobs"
done

# Every fuzz target briefly from its seed corpus, so that an input that once failed shows at once. Only
# the fuzz targets are built.
cmake --preset native-fuzz "$werror" >/dev/null
cmake --build --preset native-fuzz -j "$jobs" --target fuzz_targets
run fuzz/run.sh all 8

# Runs a Windows build's tests under Wine with one wineserver kept alive for the whole run, and the
# prefix started first on the same X display as the tests: a desktop process that Wine starts from a test
# would otherwise hold the test's output open, or own no display.
wine_tests() {
  local preset=$1 loader=$2
  WINEPREFIX="$PWD/build/$preset/wineprefix" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    tools/wine/run-under-wine "$WINEPREFIX" "$1" cmd /c exit 0 >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1 || true
    # Wine ends its desktop process when no program uses it, and a test that starts it again waits
    # seconds for it to end: one program holds the desktop for the whole run.
    tools/wine/run-under-wine "$WINEPREFIX" "$1" "build/$2/bin/desktop_holder.exe" >/dev/null 2>&1 &
    # A real drag under Xvfb now and then never ends; such a case gets one more run, and both show in
    # the log.
    ctest --preset "$2" --repeat until-pass:2 | tee "build/$2/ctest.log"
    rc=${PIPESTATUS[0]}
    wineserver -k >/dev/null 2>&1 || true
    exit $rc' wine-tests "$loader" "$preset"
  local rc=$?
  summarise "$preset"
  return $rc
}

# The shipped DLLs. Their test programs need 32-bit Wine. Where the kernel refuses 32-bit programs they
# are disabled at configure time (the build still checks the DLLs' export and import tables), and the
# DLLs are validated under 32-bit Wine in qemu's user-mode emulation instead, with few process starts.
i386=$(bash tools/ci/i386-mode.sh)
echo "== 32-bit programs on this machine: $i386"
if [ "$i386" = emulated ]; then
  cmake --preset win32 "$werror" -DVORLANE_WINE_EMULATED=ON >/dev/null
else
  cmake --preset win32 "$werror" -DVORLANE_WINE_EMULATED=OFF >/dev/null
fi
cmake --build --preset win32 -j "$jobs"
run wine_tests win32 wine

# The same Windows sources for x86_64, tested for real under 64-bit Wine.
cmake --preset win64 "$werror" >/dev/null
cmake --build --preset win64 -j "$jobs"
run wine_tests win64 /usr/lib/wine/wine64

# The release: the zip checked unpacked, and the installer package installed, loaded and removed under
# Wine in a fresh prefix.
run bash tools/release.sh
run bash tests/release/zip_test.sh dist/vorlane-plugins-*.zip
run xvfb-run -a -s "-screen 0 1280x1024x24" bash tests/release/install_test.sh dist/vorlane-plugins.msi

if [ "$i386" = emulated ]; then
  run bash tools/ci/win32-emulated.sh build/win32
fi

echo "== summary"
for preset in native native-asan win32 win64; do
  echo "$preset: $(tail -n 1 "build/$preset/ctest-summary.txt" 2>/dev/null)"
done
echo "win32 under 32-bit Wine: $i386"
exit $status
