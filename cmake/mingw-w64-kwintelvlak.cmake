# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# The program's cross build for 64-bit Windows: the MinGW-w64 tool chain
# that Qt was built with, with that Qt (KWINTEL_QT_WINDOWS, a folder) added
# to where libraries and packages are found. scripts/windows.sh passes it.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
list(APPEND CMAKE_FIND_ROOT_PATH ${KWINTEL_QT_WINDOWS} ${KWINTEL_WINDOWS_DEPS})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KWINTEL_QT_WINDOWS KWINTEL_WINDOWS_DEPS)
