#!/usr/bin/env bash
# Installs what is needed, builds, and runs the whole test pass.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh default
./scripts/register-components.sh build
ctest --preset default
