#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job on a bundled sample design.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh default
./scripts/register-components.sh build
echo "Built. The main job will export samples/line-hands/line-hands.ini to an AVI file with"
echo "dialwright-cli once the run commands exist."
