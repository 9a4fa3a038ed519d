#!/usr/bin/env bash
# Builds the x64 benchmarks and runs them under Wine: decode frames per second
# of a camera frame at 1/1, 1/2 and 1/4 through each codec library and the
# built-in coder, and a TWAIN memory transfer of one picture.  tools/bench.sh [BUILD_DIR]   (default build/x64)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/x64}
if [ ! -f "$build/build.ninja" ]; then
  if [ "$build" = build/x64 ]; then cmake --preset x64; else echo "bench.sh: $build is not configured" >&2; exit 2; fi
fi
cmake --build "$build" --target DecodeBench TwainTransferBench
"$build/wine-run" "$build/bin/DecodeBench.exe"
"$build/wine-run" "$build/bin/TwainTransferBench.exe"
