#!/usr/bin/env bash
# Renews the user guide's pictures of the plug-ins' real dialogs, taken under Wine and Xvfb, and its
# report of the six plug-ins: packaging/guide/pictures/*.png and packaging/guide/validator-report.txt.
#   bash tools/guide/pictures.sh     (needs the win64 build: cmake --build --preset win64)
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
source packaging/plugin-check.sh
plugins=(Brovix Lundrel Carvesh Moltrin Fennick Sorrend)
guide=packaging/guide
work=$PWD/build/guide
wine64=/usr/lib/wine/wine64
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all

# A plug-in folder of its own, so that the settings the plug-ins write stay out of the build.
rm -rf "$work/host"
mkdir -p "$work/host" "$guide/pictures"
for file in "${plugins[@]/%/.dll}" corvana.dll pindle.dll ruskane.dll plugin-host.exe dialog_picture.exe; do
  cp "build/win64/bin/$file" "$work/host/"
done
# The open-file dialog opens on the current folder: let it show a recorder's files.
cp -r examples/recorder-disk "$work/host/Recorder"
windows_path() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }
tools/wine/run-under-wine "$WINEPREFIX" "$wine64" cmd /c exit 0 >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# picture PLUGIN NAME: the dialog that PLUGIN's Execute shows, as pictures/NAME.png.
picture() {
  local ready=$work/$1.ready done=$work/$1.done
  rm -f "$ready" "$done"
  (cd "$work/host/Recorder" && "$wine64" "$work/host/dialog_picture.exe" "$(windows_path "$work/host/$1.dll")" \
                                          "$(windows_path "$ready")" "$(windows_path "$done")" >/dev/null 2>&1) &
  local holder=$!
  for _ in $(seq 600); do [ -s "$ready" ] && break; sleep 0.1; done
  [ -s "$ready" ] || { echo "$1 showed no dialog" >&2; kill $holder; return 1; }
  local x y width height
  read -r x y width height < <(tr -d '\r' <"$ready")
  import -window root -crop "${width}x${height}+${x}+${y}" +repage "$guide/pictures/$2.png"
  touch "$done"
  wait $holder || true
  echo "$guide/pictures/$2.png"
}
picture Moltrin open-file-dialog
picture Fennick folder-browser

# The report of the six, as plugin-host gives it.
{
  echo "plugin-host ${plugin_check[*]}, win64 build under 64-bit Wine, $(date -u +%Y-%m-%d)"
  for plugin in "${plugins[@]}"; do
    echo
    # Without the folder of this machine before the module's name.
    (cd "$work/host" && "$wine64" "$work/host/plugin-host.exe" "${plugin_check[@]}" "$plugin.dll" 2>&1) |
      tr -d '\r' | sed 's/^module: .*\\/module: /'
  done
} >"$guide/validator-report.txt"
echo "$guide/validator-report.txt"
