#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Runs a 64-bit Windows program under Wine, as the Windows build's tests and
# its help pictures do (CMake's emulator for the cross build):
#
#   scripts/wine.sh PROGRAM.exe [ARGUMENTS...]
#
# Wine hands a Windows program no variable whose name starts with QT_; it
# hands WINEQT_X on as QT_X, so every QT_ variable here goes over that way
# (the tests' offscreen platform, for one). The prefix is
# $KWINTEL_WINEPREFIX (made on first use, which takes 10-40 s); no Wine
# debugging output unless WINEDEBUG says otherwise.
set -euo pipefail
for naam in $(compgen -e); do
    case $naam in
    QT_*) export "WINE$naam=${!naam}" ;;
    esac
done
# A program that cannot show its window in a test would hang the run in a
# dialog of Wine's: crash dialogs are off, and Qt logs to the console.
export WINEPREFIX=${KWINTEL_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/kwintelvlak/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}
export WINEQT_FORCE_STDERR_LOGGING=1
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
exec /usr/lib/wine/wine64 "$@"
