#!/usr/bin/env bash
# Checks the application's layout rules: every source of app/ lives in a
# subsystem folder (main.cpp aside), a folder includes only itself and the
# folders below it, twain/ includes nothing of app/, and no product source
# passes 500 lines. Prints each breach; exits 1 when there is one.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0
breach() { echo "layout: $*"; status=1; }

# What each folder of app/ may include besides itself.
declare -A below=(
  [base]=""
  [picture]="base"
  [still]="base picture drawing"
  [live]="base picture"
  [remote]="base"
  [drawing]="base picture"
  [convert]="base picture"
  [transfer]="base picture convert"
  [sdview]="base picture convert transfer"
  [shell]="base picture still live remote drawing convert transfer sdview"
)

for f in app/*.cpp app/*.h; do
  [ -e "$f" ] || continue
  [ "$f" = app/main.cpp ] || breach "$f is outside a subsystem folder"
done

for dir in app/*/; do
  folder=$(basename "$dir")
  [ -n "${below[$folder]+set}" ] || { breach "app/$folder has no place in the layer list of tools/check-layout.sh"; continue; }
  allowed=" $folder ${below[$folder]} "
  while IFS=: read -r file _ included; do
    top=${included%%/*}
    [[ "$allowed" == *" $top "* ]] || breach "$file includes $included (app/$top is not below app/$folder)"
  done < <(grep -rHno '#include "[a-z]*/[^"]*"' "$dir" | sed 's/#include "\(.*\)"/\1/')
done

if grep -rqE '#include "(base|picture|still|live|remote|drawing|convert|transfer|sdview|shell)/' twain ui framework device; then
  breach "a library below app/ includes app/:"
  grep -rnE '#include "(base|picture|still|live|remote|drawing|convert|transfer|sdview|shell)/' twain ui framework device
fi

while read -r lines file; do
  [ "$file" = total ] && continue
  [ "$lines" -le 500 ] || breach "$file has $lines lines (split it by responsibility)"
done < <(find app framework device twain ui installer standins -name '*.cpp' -o -name '*.h' | xargs wc -l)

exit $status
