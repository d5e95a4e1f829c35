#!/usr/bin/env bash
# Checks the built tarvex.exe from its file alone, without running it: what a Windows 7
# machine needs of it. The 32-bit build is checked this way only (no 32-bit Wine here).
#
#   check_pe.sh format    OBJDUMP EXE pei-i386|pei-x86-64
#   check_pe.sh imports   OBJDUMP EXE
#   check_pe.sh size      EXE
#   check_pe.sh manifest  OBJDUMP WINDRES EXE
#   check_pe.sh icons     WINDRES EXE        (the icon group's images and the cursors')
#   check_pe.sh resources WINDRES EXE ARCHITECTURE REFERENCE_EXE REFERENCE_ARCHITECTURE
#
# resources: the same resources as REFERENCE_EXE (the other architecture's build), but for
# the architecture each one's manifest names (x86, amd64). WINDRES must read both formats.
set -uo pipefail

fail() { echo "check_pe.sh: $*" >&2; exit 1; }

# Windows' own DLLs, and every function the program, its C and C++ runtime and MinGW's
# start-up may import from them, in both builds. Each was looked up in its documentation:
# Windows 2000 or XP (IsWindow, MonitorFromRect, PostMessageW, ValidateRect: Windows 2000), GetLocaleInfoEx and GetTickCount64 Vista, the Rtl* unwinding and
# __C_specific_handler x64 Windows from the first (x86-64 build only). msvcrt.dll's are the
# system C runtime's exports, there since XP. A new import belongs here only once its
# minimum supported client is Windows 7 or earlier; anything later is looked up at run time.
allowed_dlls='COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL'
allowed_functions() {
  cat <<'EOF'
COMCTL32.DLL InitCommonControlsEx
GDI32.DLL BitBlt CreateCompatibleDC CreateDIBSection CreateFontIndirectW DeleteDC DeleteObject
GDI32.DLL EnumFontFamiliesExW GdiFlush GetDeviceCaps GetStockObject GetTextExtentPoint32W
GDI32.DLL GetTextFaceW GetTextMetricsW SelectObject SetBkColor SetBkMode SetTextColor TextOutW
KERNEL32.DLL AddVectoredExceptionHandler CloseHandle CreateEventA CreateSemaphoreA
KERNEL32.DLL DeleteCriticalSection DuplicateHandle EnterCriticalSection FindResourceW FreeLibrary
KERNEL32.DLL GetCurrentProcess GetCurrentProcessId GetCurrentThread GetCurrentThreadId
KERNEL32.DLL GetHandleInformation GetLastError GetLocaleInfoEx GetModuleHandleA GetModuleHandleW
KERNEL32.DLL GetProcAddress GetProcessAffinityMask GetStartupInfoW GetSystemTimeAsFileTime
KERNEL32.DLL GetThreadContext GetThreadPriority GetTickCount64 InitializeCriticalSection
KERNEL32.DLL IsDBCSLeadByteEx IsDebuggerPresent LeaveCriticalSection LoadLibraryA LoadLibraryExW
KERNEL32.DLL LoadLibraryW LoadResource LockResource MultiByteToWideChar OpenProcess
KERNEL32.DLL OutputDebugStringA RaiseException ReleaseSemaphore RemoveVectoredExceptionHandler
KERNEL32.DLL ResetEvent ResumeThread RtlCaptureContext RtlLookupFunctionEntry RtlUnwindEx
KERNEL32.DLL RtlVirtualUnwind SetEvent SetLastError SetProcessAffinityMask SetThreadContext
KERNEL32.DLL SetThreadPriority SetUnhandledExceptionFilter SizeofResource Sleep SuspendThread
KERNEL32.DLL TlsAlloc TlsGetValue TlsSetValue TryEnterCriticalSection VirtualProtect VirtualQuery
KERNEL32.DLL WaitForMultipleObjects WaitForSingleObject WideCharToMultiByte __C_specific_handler
MSVCRT.DLL ___lc_codepage_func ___mb_cur_max_func __iob_func __mb_cur_max __p__commode __p__fmode
MSVCRT.DLL __p__wcmdln __set_app_type __setusermatherr __wgetmainargs __winitenv _amsg_exit
MSVCRT.DLL _assert _beginthreadex _cexit _close _commode _endthreadex _errno _fmode _initterm _iob
MSVCRT.DLL _onexit _read _setjmp _setjmp3 _strdup _ultoa _wcmdln abort atoi calloc exit fprintf
MSVCRT.DLL fputc fputs fputwc free fwprintf fwrite localeconv longjmp malloc memchr memcmp memcpy
MSVCRT.DLL memmove memset printf realloc setlocale signal strchr strcmp strerror strlen strncmp
MSVCRT.DLL towlower vfprintf wcslen
USER32.DLL AdjustWindowRectEx CallNextHookEx CallWindowProcW CreateWindowExW DefWindowProcW
USER32.DLL DestroyCursor DestroyIcon DestroyWindow DispatchMessageW DrawTextW FillRect GetAncestor
USER32.DLL GetClassLongPtrW GetClassLongW GetClassNameW GetClassWord GetClientRect GetDC
USER32.DLL GetDlgCtrlID GetFocus GetMessageW GetMonitorInfoW GetParent GetPropW GetSysColor
USER32.DLL GetSysColorBrush GetSystemMetrics GetWindow GetWindowLongPtrW GetWindowLongW
USER32.DLL GetWindowRect IsChild IsDialogMessageW IsIconic IsRectEmpty IsWindow IsWindowVisible LoadCursorW
USER32.DLL MonitorFromRect PostMessageW ValidateRect
USER32.DLL LoadImageW MapWindowPoints MessageBoxW MonitorFromWindow MoveWindow PostQuitMessage
USER32.DLL RedrawWindow RegisterClassExW ReleaseDC RemovePropW SendMessageW SetCursor SetFocus
USER32.DLL SetForegroundWindow SetPropW SetWindowLongPtrW SetWindowLongW SetWindowPos
USER32.DLL SetWindowTextW SetWindowsHookExW ShowWindow SystemParametersInfoW TranslateMessage
USER32.DLL UnhookWindowsHookEx UnionRect UnregisterClassW
EOF
}
# Later than Windows 7, and near enough to what the program does to turn up one day: a
# clearer message than "not in the list".
newer_than_windows_7='
  GetDpiForWindow GetDpiForSystem GetSystemDpiForProcess GetSystemMetricsForDpi
  AdjustWindowRectExForDpi SystemParametersInfoForDpi EnableNonClientDpiScaling
  SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext
  SetProcessDpiAwarenessContext GetAwarenessFromDpiAwarenessContext AreDpiAwarenessContextsEqual
  IsValidDpiAwarenessContext GetDpiFromDpiAwarenessContext SetThreadDpiHostingBehavior
  SetDialogDpiChangeBehavior SetDialogControlDpiChangeBehavior
  LogicalToPhysicalPointForPerMonitorDPI PhysicalToLogicalPointForPerMonitorDPI
  GetDpiForMonitor SetProcessDpiAwareness GetProcessDpiAwareness GetScaleFactorForMonitor
  OpenThemeDataForDpi EnableMouseInPointer GetPointerType GetPointerInfo
  GetSystemTimePreciseAsFileTime GetCurrentThreadStackLimits SetThreadDescription
  GetThreadDescription WaitOnAddress WakeByAddressSingle WakeByAddressAll
  InitializeSynchronizationBarrier EnterSynchronizationBarrier DeleteSynchronizationBarrier
  SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory CreateFile2 CopyFile2
  PrefetchVirtualMemory SetProcessMitigationPolicy GetProcessMitigationPolicy
  GetCurrentPackageFullName GetCurrentPackageId GetPackageFamilyName VirtualAlloc2 MapViewOfFile3
'

case ${1:-} in
  format)
    objdump=$2 exe=$3 expected=$4
    header=$("$objdump" -p "$exe") || fail "$objdump cannot read $exe"
    grep -q "file format $expected\$" <<<"$header" || fail "$exe: $(grep -o 'file format .*' <<<"$header"), not $expected"
    field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$header"; }
    case $expected in
      pei-i386) magic=010b ;;    # PE32
      pei-x86-64) magic=020b ;;  # PE32+
      *) fail "unknown format $expected" ;;
    esac
    [ "$(field Magic)" = $magic ] || fail "$exe: optional header magic $(field Magic), not $magic"
    [ "$(field Subsystem)" = 00000002 ] || fail "$exe: subsystem $(field Subsystem), not a Windows GUI program (2)"
    # Windows 7 is 6.1: it refuses a program whose subsystem version is later; the OS
    # version is held to the same.
    for part in OSystem Subsystem; do
      major=$(field Major${part}Version) minor=$(field Minor${part}Version)
      [ -n "$major" ] && [ -n "$minor" ] || fail "$exe: no ${part} version in the header"
      [ $((major * 100 + minor)) -le 601 ] || fail "$exe: asks for ${part} version $major.$minor, Windows 7 is 6.1"
    done
    # Delay-loaded imports would escape the import check.
    [ "$(awk '$1 == "Entry" && $2 == "d" { print ($3 ~ /^0+$/ && $4 ~ /^0+$/) ? "none" : "some" }' <<<"$header")" = none ] ||
      fail "$exe: has delay-loaded imports"
    echo "$exe: $expected, Windows GUI, loads on Windows 7"
    ;;

  imports)
    objdump=$2 exe=$3
    header=$("$objdump" -p "$exe") || fail "$objdump cannot read $exe"
    # "DLL FUNCTION" per imported function; one imported by ordinal has no name to check.
    imports=$(awk '/^The Import Tables/ { on = 1 } /^The (Export|Delay)|^PE File Base/ { on = 0 }
                   on && /DLL Name:/ { dll = toupper($3) }
                   on && /^\t[0-9a-f]+\t/ { print dll, ($3 == "<none>" ? "(by ordinal)" : $3) }' <<<"$header")
    [ -n "$imports" ] || fail "$exe: no imports found: objdump's output is not what this script reads"
    bad=0
    for dll in $(awk '{ print $1 }' <<<"$imports" | sort -u); do
      grep -qw -- "$dll" <<<"$allowed_dlls" || { echo "$exe imports from $dll, not among the DLLs allowed ($allowed_dlls)" >&2; bad=1; }
    done
    allowed=$(allowed_functions | awk '{ for (i = 2; i <= NF; i++) print $1, $i }')
    while read -r dll function; do
      if grep -qw -- "$function" <<<"$newer_than_windows_7"; then
        echo "$exe imports $dll $function, which Windows 7 lacks: look it up with GetProcAddress" >&2; bad=1
      elif ! grep -qxF -- "$dll $function" <<<"$allowed"; then
        echo "$exe imports $dll $function, not in the checked list: if its documentation's minimum supported client is Windows 7 or earlier, add it" >&2; bad=1
      fi
    done <<<"$imports"
    [ $bad -eq 0 ] || exit 1
    echo "$exe: $(wc -l <<<"$imports") functions from $(awk '{ print $1 }' <<<"$imports" | sort -u | tr '\n' ' ')all there on Windows 7"
    ;;

  size)
    exe=$2
    size=$(stat -c %s "$exe") || fail "no $exe"
    [ "$size" -lt 1048576 ] || fail "$exe: $size bytes, not under 1 MiB (1,048,576)"
    echo "$exe: $size bytes"
    ;;

  manifest)
    objdump=$2 windres=$3 exe=$4
    case $("$objdump" -f "$exe" | grep -o 'file format .*') in
      'file format pei-i386') architecture=x86 ;;
      'file format pei-x86-64') architecture=amd64 ;;
      *) fail "$exe: neither pei-i386 nor pei-x86-64" ;;
    esac
    resources=$("$windres" -i "$exe" -O rc) || fail "$windres cannot read $exe"
    identity=$(grep -cF "<assemblyIdentity type=\"\"win32\"\" name=\"\"ZELT.Tarvex\"\" version=\"\"1.0.0.0\"\" processorArchitecture=\"\"$architecture\"\"/>" <<<"$resources")
    [ "$identity" -eq 1 ] || fail "$exe: its manifest does not name it ZELT.Tarvex for $architecture (Windows would not start it): $(grep -o 'name=""ZELT.Tarvex"".*/>' <<<"$resources")"
    grep -q '^1 24 /\* RT_MANIFEST \*/$' <<<"$resources" || fail "$exe: the manifest is not resource 1 of type 24"
    echo "$exe: manifest for $architecture"
    ;;

  icons)
    windres=$2 exe=$3
    resources=$("$windres" -i "$exe" -O rc) || fail "$windres cannot read $exe"
    # Icon group 1 as "SIZE BITS ID" per image, in order: windres writes each element as
    # "\WIDTH\HEIGHT\COLOURS\0" in octal, planes, bits, bytes, id (a width of 0 is 256).
    images=$(sed -n '/^1 14 \/\* RT_GROUP_ICON \*\//,/^END/ s/^ *"\\\([0-7]*\)\\[0-7]*\\[0-7]*\\[0-7]*", *[0-9]*, *\([0-9]*\), *0x[0-9a-f]*L, *\([0-9]*\).*/\1 \2 \3/p' <<<"$resources" |
             while read -r side bits id; do echo "$(( 8#$side ? 8#$side : 256 )) $bits $id"; done)
    [ -n "$images" ] || fail "$exe: no icon group 1"
    # The classic images first, where every Windows finds them; a smooth one for each small size.
    [ "$(head -n4 <<<"$images" | tr '\n' ' ')" = "16 4 30001 16 8 30002 32 4 30003 32 8 30004 " ] ||
      fail "$exe: the group does not begin with 30001-30004 at 16 and 32 pixels in 4 and 8 bits: $(tr '\n' ' ' <<<"$images")"
    for size in 16 20 24 32; do
      grep -q "^$size 32 " <<<"$images" || fail "$exe: no 32-bit image of $size pixels in the icon group"
    done
    # Each image there, with the size and depth the group says (the 256-pixel one is a PNG).
    while read -r size bits id; do
      header=$(grep -A2 "^$id 3 /\* RT_ICON \*/" <<<"$resources" | sed -n 3p | tr -d ' L')
      [ "$size" = 256 ] && [[ $header == 0x474e5089,* ]] && continue
      IFS=, read -r _ width height planes_bits _ <<<"$header"
      [ "$((width)) $((height)) $((planes_bits >> 16))" = "$size $((2 * size)) $bits" ] ||
        fail "$exe: icon image $id is not $size pixels in $bits bits: ${header:-missing}"
    done <<<"$images"
    # The three pointers (resource_ids.h), each with a monochrome image per pointer size.
    for id in 101 102 103; do
      sizes=$(sed -n "/^$id 12 \/\* RT_GROUP_CURSOR \*\//,/^END/ s/^ *\([0-9]*\), [0-9]*, 1, 1, .*Element.*/\1/p" <<<"$resources" | tr '\n' ' ')
      [ "$sizes" = "32 48 64 " ] || fail "$exe: cursor $id has monochrome images of ${sizes:-no} pixels, not of 32, 48 and 64"
    done
    echo "$exe: cursors 101-103 at 32, 48 and 64 pixels; icon group of $(wc -l <<<"$images") images (size/bits): $(awk '{ print $1 "/" $2 }' <<<"$images" | tr "\n" " ")"
    ;;

  resources)
    windres=$2 exe=$3 architecture=$4 reference=$5 reference_architecture=$6
    [ -f "$reference" ] || fail "no $reference to compare with: build it first"
    # The resources as a script, the architecture the manifest must name taken out.
    script() {  # EXE ARCHITECTURE
      "$windres" -i "$1" -O rc |
        sed -E "s/(name=\"\"ZELT\\.Tarvex\"\" version=\"\"1\\.0\\.0\\.0\"\" processorArchitecture=\"\")$2\"\"/\\1(its own)\"\"/"
    }
    ours=$(script "$exe" "$architecture") && theirs=$(script "$reference" "$reference_architecture") ||
      fail "$windres cannot read $exe or $reference"
    [ "$(grep -c 'processorArchitecture=""(its own)""' <<<"$ours")" -eq 1 ] || fail "$exe: its manifest does not name $architecture"
    [ "$(grep -c 'processorArchitecture=""(its own)""' <<<"$theirs")" -eq 1 ] ||
      fail "$reference: its manifest does not name $reference_architecture"
    diff <(echo "$theirs") <(echo "$ours") >&2 || fail "$exe: resources differ from $reference's (above: < theirs, > ours)"
    echo "$exe: the same $(grep -cE '^[0-9A-Za-z_]+ ([0-9]+ /\*|VERSIONINFO$)' <<<"$ours") resources as $reference"
    ;;

  *) fail "usage: check_pe.sh format|imports|size|manifest|icons|resources ..." ;;
esac
