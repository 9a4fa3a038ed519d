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
  configure=()
  repeat=()
  if [ "$arch" = x86 ]; then
    # Where 32-bit programs start only through qemu, the x86 tests run each
    # program once with a smoke set of cases, and an emulated process now and
    # then dies inside the emulator ("stack smashing detected", illegal
    # instruction) whatever it runs: it gets one more run; a real failure fails
    # twice. Where they run natively, x86 runs every case as x64 does.
    if how=$(bash tools/x86-native.sh); then
      configure=(-DPICTAVO_X86_NATIVE=ON)
    else
      configure=(-DPICTAVO_X86_NATIVE=OFF)
      repeat=(--repeat until-pass:2)
    fi
    echo "=== x86: 32-bit Linux programs here: $how"
  fi
  echo "=== $arch: build"
  if ! { cmake --preset "$arch" "${configure[@]}" >/dev/null && cmake --build --preset "$arch"; } >"build-$arch.log" 2>&1; then
    cat "build-$arch.log"; status=1; continue
  fi
  rm -f "build-$arch.log"
  echo "=== $arch: tests"
  ctest --preset "$arch" -j2 "${repeat[@]}" || status=1
done
exit $status
