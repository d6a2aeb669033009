#!/usr/bin/env bash
# Builds the installer package of the six plug-in DLLs in DLLDIR:
#   packaging/make-msi.sh DLLDIR VERSION x86|x64 OUT.msi
# The release builds it from the stripped 32-bit DLLs; the install test also from the 64-bit ones and at an
# older version.
set -euo pipefail
dlldir=$1 version=$2 arch=$3 out=$4
wxs="$(cd "$(dirname "$0")" && pwd)/vorlane-plugins.wxs"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
# wixl finds the files the package names relative to the folder it runs in.
cd "$dlldir"
wixl -a "$arch" -D Version="$version" -o "$out" "$wxs"
