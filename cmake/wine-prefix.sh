#!/usr/bin/env bash
# Creates the Wine prefix once: a virtual desktop with room for the main window at 200 %
# (title bars get drawn, and hiding a window does not wait for a window manager), Wine's
# own fonts, and the Central European MS Sans Serif registered as a Polish Windows has
# it. Safe to call from many tests at once.
#
#   wine-prefix.sh PREFIX [--copy-of BASE] [--without-ce-font] [--plain] [--desktop WxH]
#                  [--without-virtual-desktop] [--black-scheme]
# --copy-of makes PREFIX a copy of BASE (made first, without options, where missing): copying
# takes a few seconds where Wine's set-up of a new prefix takes a quarter of a minute.
# --without-ce-font leaves that font unregistered, so that the font mapper falls back on
# the host's fonts: the setting in which the program's own font choice has to step in.
# --plain has the fonts of a prefix as Wine makes it, without any of the set-up above: no
# font of Wine's copied in (Debian's Wine then has none of its own at all), nothing
# registered, and of the host's fonts only DejaVu, as a standard Debian image has it: fontconfig
# is shown only that folder by PREFIX/fonts.conf (the host's settings otherwise), which Wine reads
# where FONTCONFIG_FILE names it (the caller sets it): what the prefix offers does not depend on the host.
# --desktop gives the virtual desktop another size than 2048x1536 (a laptop's 1366x768).
# --without-virtual-desktop leaves the desktop out, for a display with a window manager:
# Wine then gives each window a top-level X window of its own. Wine 8 decides this by the
# registry value Explorer\Desktop alone, so it is a prefix's setting, not a run's; a prefix
# made the other way is switched over.
# --black-scheme sets white on black system colours, as the high-contrast schemes do; Wine
# cannot switch high contrast itself on, so a test makes the program believe it is.
# The options are registry values, written into the prefix's registry files while no Wine
# process has them open: every way of making the prefix ends in the same edits.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX [--copy-of BASE] [--without-ce-font] [--plain] [--desktop WxH] [--without-virtual-desktop] [--black-scheme]}
base= ce_font=1 plain=0 size= desktop=1 black=0
dejavu=/usr/share/fonts/truetype/dejavu
shift
while [ $# -gt 0 ]; do
  case $1 in
    --copy-of) base=${2:?wine-prefix.sh: --copy-of needs a prefix}; shift ;;
    --without-ce-font) ce_font=0 ;;
    --plain) plain=1 ce_font=0 ;;
    --desktop) size=${2:?wine-prefix.sh: --desktop needs a size}; shift ;;
    --without-virtual-desktop) desktop=0 ;;
    --black-scheme) black=1 ;;
    *) echo "wine-prefix.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
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
if [ -f "$other" ]; then
  wineserver -k 2>/dev/null || true  # the registry files are rewritten below
  wineserver -w
elif [ -n "$base" ]; then
  "$0" "$base"
  rm -rf "$prefix.new"
  cp -a "$base" "$prefix.new"
  rm -f "$prefix.new"/.tarvex-prefix-*
  rm -rf "$prefix"
  mv "$prefix.new" "$prefix"
else
  echo "tarvex: making the Wine prefix (first start, about 20 s)…" >&2
  wineboot -i >/dev/null 2>&1 </dev/null
  reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
  reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2048x1536
  cp -f /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  # Wine's Tahoma Bold has the regular outlines (only its 9 to 12 pixel bitmaps are bold):
  # without it Wine draws Tahoma's bold by thickening the regular face, bold at every size.
  rm -f "$prefix/drive_c/windows/Fonts/tahomabd.ttf"
  reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'MS Sans Serif CE' /d sserifee.fon
  wineserver -w
fi

# Sets ("NAME"=VALUE, as the file writes it) or deletes ("NAME"=-) values of a key in a
# registry file; names match without regard to case, as the registry's do.
edit() {  # FILE KEY ASSIGNMENT...
  local file=$prefix/$1
  KEY="[$2]" CHANGES=$(printf '%s\n' "${@:3}") awk '
    BEGIN { key = ENVIRON["KEY"]; n = split(ENVIRON["CHANGES"], change, "\n")
            for (i = 1; i <= n; i++) { at = index(change[i], "="); name[i] = tolower(substr(change[i], 1, at - 1)) } }
    function add(  i) { for (i = 1; i <= n; i++) if (change[i] !~ /=-$/) print change[i]; inside = 0 }
    /^\[/ { if (inside) add(); inside = index($0, key " ") == 1; found += inside }
    inside && /^"/ { this = tolower(substr($0, 1, index($0, "=") - 1)); for (i = 1; i <= n; i++) if (this == name[i]) next }
    { print }
    END { if (inside) add(); if (!found) { print ""; print key " 0"; add() } }
  ' "$file" >"$file.new"
  mv "$file.new" "$file"
}
if [ $desktop = 1 ]; then
  edit user.reg 'Software\\Wine\\Explorer' '"Desktop"="Default"'
else
  edit user.reg 'Software\\Wine\\Explorer' '"Desktop"=-'
fi
[ -z "$size" ] || edit user.reg 'Software\\Wine\\Explorer\\Desktops' "\"Default\"=\"$size\""
if [ $plain = 1 ]; then
  [ -f "$dejavu/DejaVuSans.ttf" ] || { echo "wine-prefix.sh: no DejaVu in $dejavu (fonts-dejavu-core)" >&2; exit 1; }
  for font in /usr/share/wine/fonts/*; do rm -f "$prefix/drive_c/windows/Fonts/${font##*/}"; done
  # The host's fonts that Wine found, listed by their paths: found anew from fonts.conf.
  for file in system.reg user.reg; do
    awk '/^\[/ { fonts = $0 ~ /(\\\\Fonts|External Fonts)\] / } !(fonts && /^"[^"]*"="[A-Za-z]:\\\\/)' \
      "$prefix/$file" >"$prefix/$file.new"
    mv "$prefix/$file.new" "$prefix/$file"
  done
  printf '%s\n' '<?xml version="1.0"?>' '<!DOCTYPE fontconfig SYSTEM "fonts.dtd">' \
    "<fontconfig><include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include><reset-dirs/>" \
    "<dir>$dejavu</dir><cachedir>$prefix/fontconfig</cachedir></fontconfig>" >"$prefix/fonts.conf"
fi
if [ $ce_font = 0 ]; then
  edit system.reg 'Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts' '"MS Sans Serif CE"=-'
  if grep -qi '^"MS Sans Serif CE"=' "$prefix/system.reg"; then echo "wine-prefix.sh: the font stays registered" >&2; exit 1; fi
fi
if [ $black = 1 ]; then
  colours=()
  for name in ButtonFace Window Background Menu ActiveBorder InactiveBorder AppWorkspace ButtonShadow; do
    colours+=("\"$name\"=\"0 0 0\"")
  done
  for name in ButtonText WindowText MenuText CaptionText WindowFrame ButtonHilight ButtonLight; do
    colours+=("\"$name\"=\"255 255 255\"")
  done
  edit user.reg 'Control Panel\\Colors' "${colours[@]}"
fi
rm -f "$other"
touch "$ready"
