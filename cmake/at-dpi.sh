#!/usr/bin/env bash
# Runs a Windows program under Wine at a screen density: sets the prefix's LogPixels,
# which a program reads when it starts, then runs it.
#   at-dpi.sh DPI PROGRAM [ARGS...]      (the prefix: TARVEX_WINEPREFIX)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
dpi=${1:?usage: at-dpi.sh DPI PROGRAM [ARGS...]}
shift
"$here/wine-run.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null || exit 2
exec "$here/wine-run.sh" "$@"
