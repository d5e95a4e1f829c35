#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator CTest uses for the Windows build,
# and what scripts/run.sh starts the program with.
#
# The prefix lives in the build tree (TARVEX_WINEPREFIX, or <build dir>/wineprefix found
# from the program's path), so nothing in the user's own ~/.wine is touched.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=${1:?usage: wine-run.sh PROGRAM [ARGS...]}

if [ -z "${TARVEX_WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$program")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || { echo "wine-run.sh: no build tree above $program" >&2; exit 2; }
  TARVEX_WINEPREFIX=$dir/wineprefix
fi
export WINEPREFIX=$TARVEX_WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko install prompts
export WINEARCH=win64

# No display: a virtual one for as long as the program runs.
. "$here/xvfb.sh"
start_xvfb

"$here/wine-prefix.sh" "$WINEPREFIX" ${TARVEX_PREFIX_OPTIONS:-} || exit 2

# Wine's background processes inherit the stderr of the wine that starts them; if that
# is CTest's pipe, CTest waits for them. Keep it in a file and replay it afterwards.
err=$(mktemp)
trap 'rm -f "$err"; stop_xvfb' EXIT
wine "$@" 2>"$err" </dev/null
rc=$?
cat "$err" >&2
exit $rc
