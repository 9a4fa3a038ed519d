#!/usr/bin/env bash
# Runs the image application on the camera stand-in under Wine.
#   tools/run.sh [x64|x86] [--screenshot FILE]
# Builds as needed and installs into out/<arch>/install: the program, the
# stand-in camera and codec libraries beside it (the camera's card is the
# "SDCard" folder there; KorvoCameraControl.exe plugs, unplugs and injects
# faults while it runs), a "logs" folder and "Pictavo.ini", with
# the folder registered as the installation. With a display the program runs
# until you close it; without one it runs under Xvfb, a screenshot is saved
# and its path printed, and the program is closed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

arch=x64
shot=""
while [ $# -gt 0 ]; do
  case "$1" in
    x64|x86) arch=$1 ;;
    --screenshot) shot=$2; shift ;;
    *) echo "usage: $0 [x64|x86] [--screenshot FILE]" >&2; exit 2 ;;
  esac
  shift
done

bash tools/bootstrap.sh
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" --target KorvoDocumentCamera KorvoDocCameraIM KorvoCameraControl PictavoSIMD PictavoIJG >/dev/null

out="$root/out/$arch"
install="$out/install"
mkdir -p "$install/logs" "$install/SDCard/DCIM/100KORVO"
bin="build/$arch/bin"
cp "$bin/KorvoDocumentCamera.exe" "$bin/KorvoDocCameraIM.dll" "$bin/KorvoCameraControl.exe" \
   "$bin/PictavoSIMD.dll" "$bin/PictavoIJG.dll" "$install/"
[ -f "$install/Pictavo.ini" ] || printf '[Config]\r\nTRACESIZE=1\r\n' >"$install/Pictavo.ini"

run="tools/wine-run.sh --build-dir $out"
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
$run --start
[ -f "$out/wine/display" ] && export DISPLAY=$(cat "$out/wine/display")

winpath=$($run winepath.exe -w "$install" 2>/dev/null | tr -d '\r')
$run reg.exe add 'HKLM\SOFTWARE\Vexa\Utility Software (QZT)\Parameters' /v InstallPath /t REG_SZ /d "$winpath\\" /f >/dev/null
# The 32-bit view of the key, for the x86 program.
$run reg.exe add 'HKLM\SOFTWARE\Vexa\Utility Software (QZT)\Parameters' /v InstallPath /t REG_SZ /d "$winpath\\" /f /reg:32 >/dev/null 2>&1 || true
echo "Installed in $install ($winpath); trace log: $install/logs/PictavoPreTrc.log"

if [ "$headless" = 0 ] && [ -z "$shot" ]; then
  cd "$install" && exec $root/$run "$install/KorvoDocumentCamera.exe"
fi

# Xvfb has no window manager: a Wine desktop window draws captions and borders.
(cd "$install" && $root/$run explorer.exe /desktop=Pictavo,1280x1024 "$install/KorvoDocumentCamera.exe" >/dev/null 2>&1 &)
# The main window appears once start-up is done (x86 may start through an emulator: minutes).
for _ in $(seq 1 600); do
  xdotool search --name '^Pictavo for Presentation' >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 2
shot=${shot:-$out/screenshot.png}
import -window root "$shot"
echo "Screenshot: $shot"
if [ "$headless" = 1 ]; then
  $run --stop
fi
