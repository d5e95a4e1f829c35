#!/usr/bin/env bash
# Builds tarvex.exe and starts it under Wine (on your display, or a virtual one).
#   run.sh [--no-build]     --no-build starts what is built: the test of this start uses it
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != --no-build ]; then
  scripts/deps.sh
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target tarvex
fi

# A window manager on the display. The property outlives a window manager that has ended;
# the window it names does not.
window_manager() {
  [ -n "${DISPLAY:-}" ] || return 1
  local check
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
  [[ $check == *'window id # '* ]] && xprop -id "${check##* }" WM_NAME >/dev/null 2>&1
}

# Wine's virtual desktop is one window the size of a big screen, with every window of the
# program inside it: on a desktop with a window manager the windows are its own instead.
# Wine 8 takes the desktop from the prefix, so those runs have a prefix without one; the
# tests' prefix keeps its desktop, and so does a display without a window manager.
if window_manager; then
  export TARVEX_WINEPREFIX=${TARVEX_WINEPREFIX:-$PWD/build/windows/wineprefix-desktop}
  export TARVEX_PREFIX_OPTIONS=--without-virtual-desktop
fi
exec cmake/wine-run.sh build/windows/app/tarvex.exe
