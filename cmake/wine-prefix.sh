#!/usr/bin/env bash
# Creates the Wine prefix once: a virtual desktop with room for the main window at 200 %
# (title bars get drawn, and hiding a window does not wait for a window manager), Wine's
# own fonts, and the Central European MS Sans Serif registered as a Polish Windows has
# it. Safe to call from many tests at once.
#
#   wine-prefix.sh PREFIX [--without-ce-font]
# --without-ce-font leaves that font unregistered, so that the font mapper falls back on
# the host's fonts: the setting in which the program's own font choice has to step in.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX [--without-ce-font]}
ready=$prefix/.tarvex-prefix-4
[ -f "$ready" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$ready" ] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
reg() { wine reg add "$@" /f >/dev/null 2>&1 </dev/null; }
wineboot -i >/dev/null 2>&1 </dev/null
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2048x1536
cp -f /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
# Wine's Tahoma Bold has the regular outlines (only its 9 to 12 pixel bitmaps are bold):
# without it Wine draws Tahoma's bold by thickening the regular face, bold at every size.
rm -f "$prefix/drive_c/windows/Fonts/tahomabd.ttf"
if [ "${2:-}" != --without-ce-font ]; then
  reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'MS Sans Serif CE' /d sserifee.fon
fi
wineserver -w
touch "$ready"
