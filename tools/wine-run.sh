#!/usr/bin/env bash
# Runs a Windows program of a build under Wine; ctest's cross-compiling emulator.
#   wine-run.sh --build-dir DIR PROGRAM [ARGS...]   run PROGRAM in DIR's Wine prefix
#   wine-run.sh --build-dir DIR --start             prepare prefixes, displays and wineservers
#   wine-run.sh --build-dir DIR --stop              stop the wineservers and the displays
# Each build folder has its own prefixes (DIR/wine/prefix, DIR/wine1/prefix,
# ...), created on first use as copies of a machine-wide template: setting up
# a new prefix runs Wine's 32-bit helpers too, which is slow where they start
# through qemu. ctest hands each test one prefix of its own (the "prefix"
# resource, CTEST_RESOURCE_GROUP_0_PREFIX), so tests that change the registry,
# the display or named objects run side by side without meeting;
# PICTAVO_WINE_PREFIXES says how many there are (default 2).
# A persistent wineserver is started with its output sent to /dev/null: Wine's
# helper processes inherit the standard output of the first Wine process of a
# prefix, and a captured run would otherwise wait for the server to exit.
set -euo pipefail

[ "${1:-}" = --build-dir ] || { echo "usage: $0 --build-dir DIR (--start|--stop|PROGRAM ARGS...)" >&2; exit 2; }
build=$(cd "$2" && pwd); shift 2
prefixes=${PICTAVO_WINE_PREFIXES:-2}

# The prefix of slot N: DIR/wine for 0, DIR/wineN for the others.
use_slot() {
  state="$build/wine"
  [ "$1" = 0 ] || state="$build/wine$1"
  mkdir -p "$state"
  export WINEPREFIX="$state/prefix"
}
# "id:1,slots:1" from ctest; outside ctest, slot 0.
slot=$(printf '%s' "${CTEST_RESOURCE_GROUP_0_PREFIX:-id:0}" | sed -n 's/.*id:\([0-9]*\).*/\1/p')
use_slot "${slot:-0}"
export WINEDEBUG=-all
# The 64-bit loader directly: Debian's "wine" script starts the 32-bit loader
# first, which needs a kernel that runs 32-bit Linux programs.
export WINELOADER=/usr/lib/wine/wine64
wine() { "$WINELOADER" "$@"; }
# No Mono or Gecko installers: the programs need neither.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

start_display() {
  if [ -n "${DISPLAY:-}" ] && [ ! -f "$state/xvfb.pid" ]; then return 0; fi
  if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    export DISPLAY=$(cat "$state/display"); return 0
  fi
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 9>&- &
    echo $! >"$state/xvfb.pid"
    echo ":$n" >"$state/display"
    local i
    for i in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    export DISPLAY=":$n"
    return 0
  done
  echo "wine-run: no free display number" >&2; exit 1
}

template=${PICTAVO_WINE_TEMPLATE:-/var/cache/pictavo/wine-prefix}

make_template() {
  mkdir -p "$(dirname "$template")"
  (
    flock 8
    [ -f "$template/system.reg" ] && exit 0
    rm -rf "$template.new"
    WINEPREFIX="$template.new" "$WINELOADER" wineboot -i >/dev/null 2>&1 </dev/null 8>&- 9>&- || true
    WINEPREFIX="$template.new" wineserver -w
    install_wine_fonts "$template.new"
    [ -f "$template.new/system.reg" ] || { echo "wine-run: could not create a Wine prefix" >&2; exit 1; }
    mv "$template.new" "$template"
  ) 8>"$(dirname "$template")/template.lock"
}

# Debian's Wine looks for its own fonts (Marlett, Tahoma, ...) in
# <data dir>/../fonts, which is /usr/share/fonts and holds none of them, while
# fonts-wine puts them in /usr/share/wine/fonts, where fontconfig does not look
# either. Without Marlett every caption button draws as "0", "1" or "r".
# Wine reads the prefix's Windows font folder at each start, so they go there.
wine_fonts=/usr/share/wine/fonts
install_wine_fonts() {
  local fonts="$1/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] || [ ! -f "$wine_fonts/marlett.ttf" ] && return 0
  mkdir -p "$fonts"
  cp -n "$wine_fonts"/* "$fonts/"
}

start() {
  start_display
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    make_template
    rm -rf "$WINEPREFIX"
    cp -a "$template" "$WINEPREFIX"
  fi
  install_wine_fonts "$WINEPREFIX"
  # Refused at once when the prefix's server already runs. Daemons must not
  # inherit the lock's descriptor, or they hold it forever.
  if wineserver -p >/dev/null 2>&1 </dev/null 9>&-; then
    wine wineboot >/dev/null 2>&1 </dev/null 9>&- || true
    # The desktop process starts with the first window and inherits that
    # program's output; start it here so no test's output pipe stays open.
    wine explorer.exe /desktop >/dev/null 2>&1 </dev/null 9>&- &
  fi
  register_slides
}

# The build's presentation server stand-in, registered as "PowerPoint.Application"
# once per prefix and server path (the mark lives in the prefix, so a prefix
# made anew registers again). For all users: Wine's COM looks for classes in
# the machine's part of the registry.
register_slides() {
  local server="$build/bin/PictavoSlides.exe" mark="$WINEPREFIX/pictavo-slides.registered"
  [ -f "$server" ] || return 0
  [ "$(cat "$mark" 2>/dev/null)" = "$server" ] && return 0
  if wine "$server" /regserver /allusers >/dev/null 2>&1 </dev/null 9>&-; then
    echo "$server" >"$mark"
  else
    echo "wine-run: could not register $server" >&2
  fi
}

stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
}

each_slot() {
  local n
  for n in $(seq 0 $((prefixes - 1))); do
    use_slot "$n"
    ( flock 9; "$@" ) 9>"$state/lock"
  done
}

case "${1:-}" in
  --start) each_slot start; exit 0 ;;
  --stop) each_slot stop; exit 0 ;;
  "") echo "wine-run: no program" >&2; exit 2 ;;
esac

( flock 9; start ) 9>"$state/lock"
[ -f "$state/display" ] && export DISPLAY=$(cat "$state/display")
exec "$WINELOADER" "$@"
