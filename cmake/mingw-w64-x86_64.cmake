# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers (the
# posix thread model, so std::thread and std::mutex work). Used for Qt and for
# the program alike.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KWINTEL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KWINTEL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KWINTEL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KWINTEL_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KWINTEL_MINGW})
# Programs come from the build machine, libraries and headers only from the
# MinGW tree and the prefixes added to CMAKE_FIND_ROOT_PATH (the Windows Qt).
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
