#!/usr/bin/env bash
# Builds both architectures and runs every test under Wine.
# Installs what it needs first (tools/bootstrap.sh).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/bootstrap.sh || exit 1

archs=${PICTAVO_ARCHS:-"x64 x86"}
status=0
for arch in $archs; do
  echo "=== $arch: build"
  if ! { cmake --preset "$arch" >/dev/null && cmake --build --preset "$arch"; } >"build-$arch.log" 2>&1; then
    cat "build-$arch.log"; status=1; continue
  fi
  rm -f "build-$arch.log"
  echo "=== $arch: tests"
  # Where 32-bit programs run through qemu, an emulated process now and then
  # dies inside the emulator ("stack smashing detected", illegal instruction)
  # whatever it runs: an x86 program gets one more run; a real failure fails twice.
  repeat=()
  [ "$arch" = x86 ] && repeat=(--repeat until-pass:2)
  ctest --preset "$arch" -j2 "${repeat[@]}" || status=1
done
exit $status
