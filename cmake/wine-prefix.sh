#!/usr/bin/env bash
# Creates the Wine prefix once: a virtual desktop with room for the main window at 200 %
# (title bars get drawn, and hiding a window does not wait for a window manager), Wine's
# own fonts, and the Central European MS Sans Serif registered as a Polish Windows has
# it. Safe to call from many tests at once.
#
#   wine-prefix.sh PREFIX [--without-ce-font] [--without-virtual-desktop] [--black-scheme]
# --without-ce-font leaves that font unregistered, so that the font mapper falls back on
# the host's fonts: the setting in which the program's own font choice has to step in.
# --without-virtual-desktop leaves the desktop out, for a display with a window manager:
# Wine then gives each window a top-level X window of its own. Wine 8 decides this by the
# registry value Explorer\Desktop alone, so it is a prefix's setting, not a run's; a prefix
# made the other way is switched over.
# --black-scheme sets white on black system colours, as the high-contrast schemes do; Wine
# cannot switch high contrast itself on, so a test makes the program believe it is.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX [--without-ce-font] [--without-virtual-desktop] [--black-scheme]}
ce_font=1 desktop=1 black=0
for option in "${@:2}"; do
  case $option in
    --without-ce-font) ce_font=0 ;;
    --without-virtual-desktop) desktop=0 ;;
    --black-scheme) black=1 ;;
    *) echo "wine-prefix.sh: unknown option $option" >&2; exit 2 ;;
  esac
done
ready=$prefix/.tarvex-prefix-4 other=$prefix/.tarvex-prefix-4-no-desktop
[ $desktop = 1 ] || { other=$ready; ready=$prefix/.tarvex-prefix-4-no-desktop; }
[ -f "$ready" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$ready" ] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
reg() { wine reg "$@" /f >/dev/null 2>&1 </dev/null; }
wineboot -i >/dev/null 2>&1 </dev/null
if [ $desktop = 1 ]; then
  reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
  reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2048x1536
else
  reg delete 'HKCU\Software\Wine\Explorer' /v Desktop || true  # absent in a new prefix
fi
cp -f /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
# Wine's Tahoma Bold has the regular outlines (only its 9 to 12 pixel bitmaps are bold):
# without it Wine draws Tahoma's bold by thickening the regular face, bold at every size.
rm -f "$prefix/drive_c/windows/Fonts/tahomabd.ttf"
if [ $ce_font = 1 ]; then
  reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'MS Sans Serif CE' /d sserifee.fon
fi
if [ $black = 1 ]; then
  for name in ButtonFace Window Background Menu ActiveBorder InactiveBorder AppWorkspace ButtonShadow; do
    reg add 'HKCU\Control Panel\Colors' /v $name /d '0 0 0'
  done
  for name in ButtonText WindowText MenuText CaptionText WindowFrame ButtonHilight ButtonLight; do
    reg add 'HKCU\Control Panel\Colors' /v $name /d '255 255 255'
  done
fi
wineserver -w
rm -f "$other"
touch "$ready"
