#!/usr/bin/env bash
# Builds tarvex.exe and starts it under Wine (on your display, or a virtual one).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target tarvex
exec cmake/wine-run.sh build/windows/app/tarvex.exe
