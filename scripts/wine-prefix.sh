#!/bin/sh
# Creates a Wine prefix non-interactively: no Mono or Gecko prompts, no crash dialog.
# Usage: wine-prefix.sh PREFIX
set -eu
prefix="$1"
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The window tests run with Wine's own window management, as on Windows (without it every hide
# or destroy of a top-level window waits about 2 s for a window manager); the program itself and
# its other tests keep the default. Also added to a prefix made before this setting (without the
# lock: a Wine server started here must not hold it).
unmanaged_tests() {
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\AppDefaults\vk_ui_tests.exe\X11 Driver' /v Managed \
        /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&-
}
if [ -f "$prefix/system.reg" ]; then
    if ! grep -q 'vk_ui_tests.exe' "$prefix/user.reg"; then
        unmanaged_tests
    fi
    exit 0
fi
/usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
# Without this a crash under a display opens a dialog and waits for ever.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >/dev/null 2>&1
# Windows maps the font name "Times" to its Times New Roman; here it is Debian's serif font.
/usr/lib/wine/wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v Times /t REG_SZ \
    /d 'DejaVu Serif' /f </dev/null >/dev/null 2>&1
# Wine draws the caption buttons, scroll arrows and check marks with glyphs of the Marlett font;
# this Wine does not load the fonts of Debian's fonts-wine by itself, so the prefix gets its own copy.
cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
unmanaged_tests
/usr/lib/wine/wineserver64 -w
test -f "$prefix/system.reg"
