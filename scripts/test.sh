#!/usr/bin/env bash
# Builds everything and runs every test: the calculation natively, then the program
# and its windows under Wine, then the 32-bit executable, checked as a file (nothing here
# runs 32-bit Windows programs). Installs what is missing first.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh || exit 1
. cmake/xvfb.sh

logs=$(mktemp -d)
trap 'WINEPREFIX=$PWD/build/windows/wineprefix wineserver -k 2>/dev/null; stop_xvfb; rm -rf "$logs"' EXIT
status=0

run_preset() {  # configure, build and test one preset; CTest's output goes to a log too
  local preset=$1
  cmake --preset "$preset" >"$logs/$preset.configure" 2>&1 || { cat "$logs/$preset.configure"; status=1; return; }
  cmake --build --preset "$preset" || { status=1; return; }
  ctest --preset "$preset" 2>&1 | tee "$logs/$preset.ctest"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
}

run_preset native
run_preset sanitize

start_xvfb
cmake --preset windows >"$logs/windows.configure" 2>&1 || { cat "$logs/windows.configure"; exit 1; }
# A warm, persistent wineserver saves each test process its start-up.
cmake/wine-prefix.sh "$PWD/build/windows/wineprefix" &&
  WINEPREFIX=$PWD/build/windows/wineprefix wineserver -p >/dev/null 2>&1 </dev/null
run_preset windows
# After the x86-64 build: its executable's resources are the 32-bit one's reference.
run_preset windows-x86

# One closing line for the whole run.
passed=0 failed=0
for f in "$logs"/*.ctest; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$f" | tail -n1)
  [ -n "$line" ] || { status=1; continue; }
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
done
echo
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
