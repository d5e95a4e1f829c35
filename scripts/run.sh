#!/usr/bin/env bash
# Builds tarvex.exe and starts it under Wine (on your display, or a virtual one).
#   run.sh [--no-build]     --no-build starts what is built: the test of this start uses it
# Each step that takes a while says so on stderr, one line, when it really happens: packages
# installed, the build, the Wine prefix made (cmake/wine-prefix.sh says that one).
set -euo pipefail
cd "$(dirname "$0")/.."
say() { echo "tarvex: $*" >&2; }
if [ "${1:-}" != --no-build ]; then
  scripts/deps.sh | sed -u 's/^Installing: .*/tarvex: installing the packages it needs…/' >&2  # only when some are missing
  # Ninja's dry run tells whether anything is out of date.
  plan=$( [ -f build/windows/build.ninja ] && cmake --build --preset windows --target tarvex -- -n 2>/dev/null) || plan=
  if [[ $plan != *'ninja: no work to do'* ]]; then
    say "building tarvex.exe…"
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target tarvex
  fi
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
say "starting tarvex.exe under Wine…"
exec cmake/wine-run.sh build/windows/app/tarvex.exe
