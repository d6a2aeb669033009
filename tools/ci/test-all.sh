#!/usr/bin/env bash
# Every test: installs what is missing, then builds and tests the native build, the sanitizer build,
# the shipped 32-bit Windows build and the same Windows sources for x86_64 under 64-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/ci/install-deps.sh

jobs=$(nproc)
status=0
run() { echo "== $*"; "$@" || status=1; }

# CI fails on any warning in the project's own code.
werror=-DVORLANE_WARNINGS_AS_ERRORS=ON

for preset in native native-asan; do
  cmake --preset "$preset" "$werror" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  run ctest --preset "$preset" -j "$jobs"
done

# The shipped DLLs. Their test programs need 32-bit Wine, which a kernel without 32-bit support cannot
# run; the build then checks the DLLs' export and import tables only.
cmake --preset win32 "$werror" >/dev/null
cmake --build --preset win32 -j "$jobs"
# Where 32-bit Wine does run, the window and drag-and-drop tests need an X display as below.
run xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win32

# The same Windows sources, tested for real under 64-bit Wine with an X display for window tests.
cmake --preset win64 "$werror" >/dev/null
cmake --build --preset win64 -j "$jobs"
export WINEPREFIX="$PWD/build/win64/wineprefix"
tools/wine/run-under-wine "$WINEPREFIX" /usr/lib/wine/wine64 cmd /c exit 0 >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 || true
run xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win64
wineserver -k >/dev/null 2>&1 || true

exit $status
