#!/usr/bin/env bash
# Registers the built component libraries in the user's registry, so that the program finds them
# (~/.config/dialwright/registry, or the file named by DIALWRIGHT_REGISTRY).
# Usage: scripts/register-components.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
bin="${1:-build}/bin"
libraries=()
for name in spinblit reelkit; do
    if [ -f "$bin/lib$name.so" ]; then
        libraries+=("$bin/lib$name.so")
    else
        echo "register-components: $bin/lib$name.so not built; skipped" >&2
    fi
done
if [ ${#libraries[@]} -gt 0 ]; then
    "$bin/dw-regsvr" "${libraries[@]}"
fi
