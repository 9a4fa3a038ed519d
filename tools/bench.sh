#!/usr/bin/env bash
# Builds the x64 benchmarks and runs them under Wine:
#   DecodeBench         decode frames per second of a camera frame at 1/1, 1/2
#                       and 1/4 through each codec library and the built-in coder;
#   LiveBench           the live monitor's frames per second and latency from the
#                       camera's hand-over to the screen at each scale and in
#                       full screen beside decode-only and draw-only times, and
#                       the CPU the process uses with the camera paced at 30 fps;
#   TwainTransferBench  a TWAIN memory transfer of one picture;
#   ConvertBench        files per second of the file conversion as its dialog
#                       runs it beside the same work alone in one thread;
#   TransferBench       megabytes per second sending 50 camera files to the
#                       camera stand-in's card beside a plain copy of the bytes;
#   ThumbnailBench      thumbnails per second of 50 camera files on the stand-in's
#                       card, first from the card and then from the cache, and the
#                       longest the window went without answering meanwhile.
# tools/bench.sh [BUILD_DIR]   (default build/x64). Run it on an idle machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/x64}
if [ ! -f "$build/build.ninja" ]; then
  if [ "$build" = build/x64 ]; then cmake --preset x64; else echo "bench.sh: $build is not configured" >&2; exit 2; fi
fi
cmake --build "$build" --target DecodeBench LiveBench TwainTransferBench ConvertBench TransferBench ThumbnailBench
"$build/wine-run" --start
trap '"$build/wine-run" --stop' EXIT
for bench in DecodeBench LiveBench TwainTransferBench TransferBench ThumbnailBench; do
  "$build/wine-run" "$build/bin/$bench.exe"
  echo
done
# In a Wine desktop, as tools/run.sh runs the program: on a bare Xvfb display
# (no window manager) Wine waits about 2 s for a closed top-level window.
"$build/wine-run" explorer.exe /desktop=Bench,1024x768 "$(cd "$build/bin" && pwd)/ConvertBench.exe"
