#!/usr/bin/env bash
# Unpacks the release zip and checks what it holds: exactly the six DLLs (no host library stand-in), the
# install text, the user guide with its pictures and report, a checksum for every file and every checksum
# right, each DLL's version resource, and the export, import and thread-notice tables as the build checks
# them.
#   tests/release/zip_test.sh dist/vorlane-plugins-X.Y.Z.zip
set -euo pipefail
zip=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
version=$(sed -n 's/^project(VorlaneExchange VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
name=vorlane-plugins-$version
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

cd "$work"
unzip -q "$zip"
expected=$(printf '%s\n' Brovix.dll Carvesh.dll Fennick.dll INSTALL.txt Lundrel.dll Moltrin.dll SHA256SUMS \
                         Sorrend.dll pictures/folder-browser.png pictures/open-file-dialog.png user-guide.md \
                         validator-report.txt | sed "s|^|$name/|" | LC_ALL=C sort)
actual=$(find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "the zip holds"$'\n'"$actual"$'\n'"instead of"$'\n'"$expected"

cd "$name"
listed=$(sed 's/^[0-9a-f]\{64\}  //' SHA256SUMS | LC_ALL=C sort)
present=$(find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort)
[ "$listed" = "$present" ] || fail "SHA256SUMS lists"$'\n'"$listed"$'\n'"but the zip holds"$'\n'"$present"
sha256sum --quiet -c SHA256SUMS || fail "a checksum does not match"
for picture in pictures/*.png; do
  [ "$(head -c 8 "$picture" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$picture is not a PNG"
done

/usr/bin/python3 "$here/version_resources.py" "$version" Brovix.dll Lundrel.dll Carvesh.dll Moltrin.dll \
                 Fennick.dll Sorrend.dll || fail "a version resource is wrong"
cmake -DDIR="$PWD" -P "$here/check_tables.cmake" >/dev/null || fail "an export or import table is wrong"

[ $status -eq 0 ] && echo "PASS: $(basename "$zip")"
exit $status
