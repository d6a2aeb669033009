#!/usr/bin/env bash
# The main job: installs what is missing, builds natively and runs the stand-in host over examples/.
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/ci/install-deps.sh
echo "building the plug-ins and plugin-host (log: build/demo-build.log)"
mkdir -p build
if ! { cmake --preset native && cmake --build --preset native -j "$(nproc)" --target plugin-host \
         Brovix Lundrel Carvesh Moltrin Fennick Sorrend; } >build/demo-build.log 2>&1; then
  tail -n 40 build/demo-build.log
  exit 1
fi
exec tools/demo/run-demo build/native
