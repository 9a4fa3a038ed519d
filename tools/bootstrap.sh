#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Idempotent: a second run only checks and returns within seconds.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
cache=${PICTAVO_DEPS_CACHE:-/var/cache/pictavo}
export DEBIAN_FRONTEND=noninteractive

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  cmake ninja-build nasm dpkg-dev
  wine wine64 wine32:i386 xvfb xauth x11-utils xdotool imagemagick
  googletest libjpeg-turbo-progs python3 qemu-user-static fonts-wine ccache
  # zlib for Windows: the presentation server stand-in reads .pptx (zip) files with it.
  libz-mingw-w64-dev
  libimage-exiftool-perl
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

enable_sources() {
  local changed=0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386; changed=1
  fi
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ] && grep -q '^Types: deb$' "$f"; then
    as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"; changed=1
  elif [ ! -f "$f" ] && [ -f /etc/apt/sources.list ] && ! grep -q '^deb-src' /etc/apt/sources.list; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee -a /etc/apt/sources.list >/dev/null; changed=1
  fi
  local src_lists
  src_lists=$(ls /var/lib/apt/lists/ 2>/dev/null | grep -c '_Sources$' || true)
  [ "$changed" = 1 ] || [ "$src_lists" = 0 ] && return 0
  return 1
}

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

install_packages() {
  local need_update=0
  enable_sources && need_update=1
  local missing
  missing=$(missing_packages)
  if [ -n "$missing" ] || [ "$need_update" = 1 ]; then
    as_root apt-get update -qq
  fi
  if [ -n "$missing" ]; then
    echo "bootstrap: installing $(echo $missing | tr '\n' ' ')"
    as_root apt-get install -y -qq --no-install-recommends $missing </dev/null >/dev/null
  fi
}

# libjpeg-turbo for Windows: no Debian binary exists, so build Debian's source
# package with the cross compilers. Two variants per architecture: with SIMD
# (the programs and PictavoSIMD.dll) and without (PictavoIJG.dll).
build_libjpeg() {
  local arch=$1 simd=$2 prefix=$3
  local out="$deps/libjpeg-turbo/$arch-$prefix"
  # One build per machine and source version, shared by every checkout.
  local version cached
  version=$(dpkg-query -W -f='${source:Version}' libjpeg-turbo-progs 2>/dev/null || echo unknown)
  cached="$cache/libjpeg-turbo-$version/$arch-$prefix"
  if [ ! -f "$out/lib/libjpeg.a" ] && [ -f "$cached/lib/libjpeg.a" ]; then
    mkdir -p "$out" && cp -a "$cached/." "$out/"
  fi
  [ -f "$out/lib/libjpeg.a" ] || compile_libjpeg "$arch" "$simd" "$out" || return 1
  if [ ! -f "$cached/lib/libjpeg.a" ]; then
    mkdir -p "$cached" && cp -a "$out/." "$cached/" || true
  fi
}

compile_libjpeg() {
  local arch=$1 simd=$2 out=$3 prefix
  prefix=$(basename "$out")
  local src
  src=$(ls -d "$deps"/src/libjpeg-turbo-*/ 2>/dev/null | head -n 1 || true)
  if [ -z "$src" ]; then
    mkdir -p "$deps/src"
    (cd "$deps/src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
    src=$(ls -d "$deps"/src/libjpeg-turbo-*/ | head -n 1)
  fi
  local triple cpu
  if [ "$arch" = x64 ]; then triple=x86_64-w64-mingw32; cpu=AMD64; else triple=i686-w64-mingw32; cpu=x86; fi
  local b="$deps/build/libjpeg-$arch-$prefix"
  rm -rf "$b"; mkdir -p "$deps/build"
  echo "bootstrap: building libjpeg-turbo ($arch, $prefix)"
  cmake -S "$src" -B "$b" -G Ninja -Wno-dev \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=$cpu \
    -DCMAKE_C_COMPILER=$triple-gcc-posix -DCMAKE_RC_COMPILER=$triple-windres \
    -DCMAKE_ASM_NASM_COMPILER=nasm \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$out" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=$simd -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG8=OFF -DWITH_JPEG7=OFF -DWITH_CRT_DLL=OFF >"$b.log" 2>&1 \
    || { cat "$b.log"; return 1; }
  cmake --build "$b" --target jpeg-static >>"$b.log" 2>&1 || { tail -50 "$b.log"; return 1; }
  mkdir -p "$out/lib" "$out/include"
  cp "$b/libjpeg.a" "$out/lib/libjpeg.a"
  cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$b/jconfig.h" "$out/include/"
}

# Wine runs x86 programs through its 32-bit Linux loader. Kernels that cannot
# start 32-bit Linux programs (some virtual machines) get them through
# qemu-i386 instead: slow to start (about a minute a process) but faithful.
enable_i386_programs() {
  local probe=/usr/lib/wine/wine
  [ -x "$probe" ] || return 0
  "$probe" --version >/dev/null 2>&1 && return 0
  [ "$(id -u)" = 0 ] || { echo "bootstrap: 32-bit programs need root once (binfmt_misc)" >&2; return 1; }
  local bm=/proc/sys/fs/binfmt_misc
  [ -e "$bm/register" ] || mount -t binfmt_misc binfmt_misc "$bm"
  if [ ! -e "$bm/qemu-i386" ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' >"$bm/register"
  fi
  "$probe" --version >/dev/null 2>&1 || { echo "bootstrap: cannot run 32-bit Wine" >&2; return 1; }
}

install_packages
enable_i386_programs
for arch in x64 x86; do
  build_libjpeg $arch ON simd
  build_libjpeg $arch OFF nosimd
done
