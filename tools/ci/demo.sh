#!/usr/bin/env bash
# The main job: installs what is missing, builds natively and runs the stand-in host over examples/.
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/ci/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target plugin-host Brovix Lundrel Carvesh Moltrin Fennick Sorrend
exec tools/demo/run-demo build/native
