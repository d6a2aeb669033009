#!/usr/bin/env bash
# Builds the release in dist/: the six 32-bit plug-in DLLs of the win32 build, stripped, in a zip with the
# install text, the user guide and a SHA-256 checksum file, and the installer package of the same DLLs.
#   bash tools/release.sh        (installs what is missing first, as the CI scripts do)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/ci/install-deps.sh

plugins=(Brovix Lundrel Carvesh Moltrin Fennick Sorrend)
version=$(sed -n 's/^project(VorlaneExchange VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=vorlane-plugins-$version

cmake --preset win32 -DVORLANE_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build --preset win32 -j "${JOBS:-2}" --target "${plugins[@]}"

rm -rf dist
mkdir -p "dist/$name/pictures"
for plugin in "${plugins[@]}"; do
  i686-w64-mingw32-strip -o "dist/$name/$plugin.dll" "build/win32/bin/$plugin.dll"
done
cp packaging/INSTALL.txt packaging/guide/user-guide.md packaging/guide/validator-report.txt "dist/$name/"
cp packaging/guide/pictures/*.png "dist/$name/pictures/"
(cd "dist/$name" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum >SHA256SUMS)
(cd dist && zip -qrX "$name.zip" "$name")
packaging/make-msi.sh "dist/$name" "$version" x86 dist/vorlane-plugins.msi

echo "dist/$name.zip"
echo "dist/vorlane-plugins.msi"
