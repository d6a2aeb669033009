#!/usr/bin/env bash
# Installs the installer package under Wine into a fresh prefix, loads every installed DLL, removes it,
# and tries the bad cases: no folder, a folder that cannot be written, an upgrade over an older version,
# a downgrade, a removal after a DLL was deleted by hand.
#   tests/release/install_test.sh dist/vorlane-plugins.msi
# Needs the win64 build (its plug-ins, packaged here as well, and plugin-host.exe: 64-bit Wine proves the
# install and load path on every machine) and, where 32-bit Wine runs, the win32 build's plugin-host.exe
# for the released 32-bit DLLs. Run it under an X display (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/../.."
source packaging/plugin-check.sh
release_msi=$(realpath "$1")
version=$(sed -n 's/^project(VorlaneExchange VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
plugins=(Brovix Lundrel Carvesh Moltrin Fennick Sorrend)

work=$PWD/build/release-test
rm -rf "$work"
mkdir -p "$work/dlls64"
export WINEPREFIX=$work/wineprefix
wine64=/usr/lib/wine/wine64
cleanup() { wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
pass() { echo "ok: $*"; }

# The same package from the 64-bit DLLs, at this version and at an older one.
for plugin in "${plugins[@]}"; do cp "build/win64/bin/$plugin.dll" "$work/dlls64/"; done
packaging/make-msi.sh "$work/dlls64" "$version" x64 "$work/new64.msi"
packaging/make-msi.sh "$work/dlls64" 0.9.0 x64 "$work/old64.msi"

tools/wine/run-under-wine "$WINEPREFIX" "$wine64" cmd /c exit 0 >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 || true
drive_c=$WINEPREFIX/drive_c

windows_path() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }
# msiexec PACKAGE ARGS...: its exit status (Windows Installer's code, modulo 256 as Wine returns it).
msiexec() {
  local package=$1; shift
  local rc=0
  timeout 120 "$wine64" msiexec /i "$(windows_path "$package")" "$@" /qn >/dev/null 2>&1 || rc=$?
  echo $rc
}
readonly failed_install=$((1603 % 256))
# The version of the package registered as installed, or nothing.
installed_version() {
  "$wine64" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ {name = 0} /DisplayName.*Vorlane exchange plug-ins/ {name = 1} name && /DisplayVersion/ {print $NF}'
}
dlls_in() { local dir=$1 n=0; for p in "${plugins[@]}"; do [ -f "$dir/$p.dll" ] && n=$((n + 1)); done; echo $n; }
# load_plugins LOADER HOST_EXE DIR: every plug-in DLL in DIR, loaded by plugin-host.
load_plugins() {
  local loader=$1 host=$2 dir=$3 plugin loaded=0
  for plugin in "${plugins[@]}"; do
    timeout 300 "$loader" "$host" "${plugin_check[@]}" "$(windows_path "$dir/$plugin.dll")" >"$work/load-$plugin.txt" 2>&1 ||
      { fail "$plugin.dll from $dir does not load: $(tr -d '\r' <"$work/load-$plugin.txt")"; loaded=1; }
  done
  return $loaded
}

# The released 32-bit package: refused without a folder and into one that cannot be made, then installed,
# loaded where 32-bit Wine runs, and removed.
rc=$(msiexec "$release_msi")
[ "$rc" = $failed_install ] && [ -z "$(installed_version)" ] && pass "no PLUGINDIR: refused" ||
  fail "no PLUGINDIR: exit $rc, installed '$(installed_version)'"
rc=$(msiexec "$release_msi" 'PLUGINDIR=Q:\Host\Plugins')
[ "$rc" = $failed_install ] && [ -z "$(installed_version)" ] && pass "PLUGINDIR on a missing drive: refused" ||
  fail "PLUGINDIR on a missing drive: exit $rc, installed '$(installed_version)'"

dir32=$drive_c/Host/Plugins32
rc=$(msiexec "$release_msi" 'PLUGINDIR=C:\Host\Plugins32')
[ "$rc" = 0 ] && [ "$(dlls_in "$dir32")" = 6 ] && pass "32-bit package installed into C:\\Host\\Plugins32" ||
  fail "32-bit install: exit $rc, $(dlls_in "$dir32") DLLs"
# 32-bit Wine in processor emulation (binfmt_misc) takes minutes for each start: too slow for CI.
if [ -f build/win32/bin/plugin-host.exe ] && [ "$(bash tools/ci/i386-mode.sh)" = native ]; then
  load_plugins /usr/lib/wine/wine build/win32/bin/plugin-host.exe "$dir32" && pass "32-bit DLLs loaded"
else
  echo "skipped: loading the 32-bit DLLs (32-bit Wine does not run natively here, or no win32 plugin-host)"
fi
rc=$(msiexec "$release_msi" REMOVE=ALL)
[ "$rc" = 0 ] && [ ! -e "$dir32" ] && [ -z "$(installed_version)" ] && pass "32-bit package removed, folder gone" ||
  fail "32-bit removal: exit $rc, $(dlls_in "$dir32") DLLs left"

# The 64-bit package: an older version, then this one over it without naming the folder again.
dir64=$drive_c/Host/Plugins
rc=$(msiexec "$work/old64.msi" 'PLUGINDIR=C:\Host\Plugins')
[ "$rc" = 0 ] && [ "$(installed_version)" = 0.9.0 ] || fail "older install: exit $rc, installed '$(installed_version)'"
# What the plug-ins write beside themselves: the clip list and the settings files.
printf '[Clip001]\r\nPath=C:\\clips\r\n' >"$dir64/vorlane.ini"
printf '[Settings]\r\nszStartupPath=C:\\watch\r\n' >"$dir64/fennick.ini"
rc=$(msiexec "$work/new64.msi")
[ "$rc" = 0 ] && [ "$(installed_version)" = "$version" ] && [ "$(dlls_in "$dir64")" = 6 ] &&
  pass "upgrade from 0.9.0 to $version into the remembered folder" ||
  fail "upgrade: exit $rc, installed '$(installed_version)', $(dlls_in "$dir64") DLLs"
load_plugins "$wine64" build/win64/bin/plugin-host.exe "$dir64" && pass "64-bit DLLs loaded (${plugin_check[*]})"
rc=$(msiexec "$work/old64.msi")
[ "$rc" = $failed_install ] && [ "$(installed_version)" = "$version" ] && pass "downgrade refused" ||
  fail "downgrade: exit $rc, installed '$(installed_version)'"

# A DLL deleted by hand: the removal takes the rest and leaves what the plug-ins wrote (Moltrin has
# written its settings file on loading too).
rm "$dir64/Fennick.dll"
rc=$(msiexec "$work/new64.msi" REMOVE=ALL)
left=$(cd "$dir64" && ls | LC_ALL=C sort | tr '\n' ' ')
[ "$rc" = 0 ] && [ "$(dlls_in "$dir64")" = 0 ] && [ -f "$dir64/vorlane.ini" ] && [ -f "$dir64/fennick.ini" ] &&
  [ -z "$(installed_version)" ] &&
  pass "removal after a DLL was deleted by hand; left: $left" ||
  fail "removal: exit $rc, left [$left], installed '$(installed_version)'"

[ $status -eq 0 ] && echo "PASS: install test"
exit $status
