#!/usr/bin/env bash
# Builds one fuzz target with the fuzz preset and runs it for a number of seconds (default 60).
# New inputs go to fuzz/corpus-run/<target>, findings to fuzz/crash-* (both ignored by git).
#   scripts/fuzz.sh profilereader 300
#   scripts/fuzz.sh designreader 300 -max_len=8192
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:?usage: scripts/fuzz.sh <profilereader|designreader> [seconds] [libFuzzer options...]}"
seconds="${2:-60}"
shift $(($# >= 2 ? 2 : 1))
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "fuzz_${target}" -- -j2
run="fuzz/corpus-run/${target}"
mkdir -p "$run"
exec "build-fuzz/bin/fuzz_${target}" "$run" "fuzz/corpus/${target}" \
    -max_total_time="$seconds" -artifact_prefix=fuzz/ -print_final_stats=1 "$@"
