#!/usr/bin/env bash
# Takes the README's screenshots: builds tarvex.exe, runs it under Wine's virtual
# desktop on an Xvfb display of its own, drives it with bench/drive.cpp and saves each
# window, cropped to its frame, in docs/screenshots/:
#   main-fresh.png      the main window as it opens
#   main-reference.png  after 195/65 R15 -> 205/55 R16 and "Przelicz"
#   help.png, about.png the Help and About windows
#   main-reference-150.png, main-reference-200.png  the comparison again at 150 and 200 %
#   about-200.png       the About window at 200 %
#   main-high-contrast.png  the comparison in high contrast, white on black
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --screenshots
cmake --preset windows >/dev/null
cmake --build --preset windows --target tarvex drive high_contrast

build=build/windows
out=docs/screenshots
mkdir -p "$out"

# A prefix of its own: a test run may hold the build's prefix on another display.
export TARVEX_WINEPREFIX=$PWD/$build/screenshots-wineprefix
cmake/wine-prefix.sh "$TARVEX_WINEPREFIX"

unset DISPLAY
. cmake/xvfb.sh
start_xvfb
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  WINEPREFIX=$TARVEX_WINEPREFIX wineserver -k 2>/dev/null || true
  stop_xvfb
}
trap cleanup EXIT

drive() { cmake/wine-run.sh "$build/bench/drive.exe" "$@"; }

cmake/wine-run.sh "$build/app/tarvex.exe" &
app=$!

# Wine draws every window inside its desktop window: shoot that, cut out the window.
shoot() {  # file "left top width height"
  local left top width height desktop
  read -r left top width height <<<"$2"
  desktop=$(xwininfo -root -tree | awk '/"Default - Wine desktop"/ {print $1; exit}')
  [ -n "$desktop" ] || { echo "screenshots.sh: no Wine desktop window" >&2; exit 1; }
  sleep 1  # the program paints on its own time
  import -window "$desktop" -crop "${width}x${height}+${left}+${top}" +repage "$out/$1"
  echo "$out/$1: ${width}x${height}"
}

rect=$(drive main) && shoot main-fresh.png "$rect"
rect=$(drive reference) && shoot main-reference.png "$rect"
rect=$(drive help) && shoot help.png "$rect"
drive hide-help >/dev/null
rect=$(drive about) && shoot about.png "$rect"

drive quit
wait "$app"

# The same comparison on screens at 150 % and 200 %, and the About window at 200 %; the
# prefix is set back to 100 % afterwards.
dpi() { cmake/wine-run.sh reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null; }
for scale in 150:144 200:192; do
  dpi "${scale#*:}"
  cmake/wine-run.sh "$build/app/tarvex.exe" &
  app=$!
  rect=$(drive reference) && shoot "main-reference-${scale%:*}.png" "$rect"
  if [ "${scale%:*}" = 200 ]; then rect=$(drive about) && shoot about-200.png "$rect"; fi
  drive quit
  wait "$app"
  app=
done
dpi 96

# High contrast, in a prefix with white on black system colours: Wine cannot switch the
# setting itself on, so bench/high_contrast.cpp starts the program told that it is on.
export TARVEX_WINEPREFIX=$PWD/$build/screenshots-wineprefix-black TARVEX_PREFIX_OPTIONS=--black-scheme
cmake/wine-prefix.sh "$TARVEX_WINEPREFIX" --black-scheme
cmake/wine-run.sh "$build/bench/high_contrast.exe" &
app=$!
rect=$(drive reference) && shoot main-high-contrast.png "$rect"
drive quit
wait "$app"
app=
