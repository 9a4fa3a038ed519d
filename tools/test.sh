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
  ctest --preset "$arch" -j2 || status=1
done
exit $status
