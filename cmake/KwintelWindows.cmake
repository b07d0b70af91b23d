# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# The Windows program folder, as the portable zip and the installer ship it:
# everything flat beside kwintelvlak.exe, as the program looks for it (the
# console twin, the help file, the standard boards, the plug-in DLLs), the
# licence and a Dutch read-me as text files Notepad shows, and what a plug-in
# author needs in zwenkels-maken\. scripts/windows.sh installs it with
#   cmake --install build-windows --prefix <folder> --strip

install(TARGETS kwintelvlak kwintelvlak_toets RUNTIME DESTINATION .)
install(DIRECTORY ${KWINTEL_PROGRAM_DIR}/ DESTINATION .
        FILES_MATCHING PATTERN "*.dll" PATTERN "kwintel.chm" PATTERN "*.brd" PATTERN "*.bmp"
        PATTERN "CMakeFiles" EXCLUDE)

# Text files with Windows line ends.
set(kwintel_licentie ${PROJECT_SOURCE_DIR}/COPYING)
if(NOT EXISTS ${kwintel_licentie})
    set(kwintel_licentie /usr/share/common-licenses/GPL-3)
endif()
set(VERSIE ${PROJECT_VERSION})
set(QT_VERSIE ${Qt6Core_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/data/windows/LEESMIJ.txt ${CMAKE_BINARY_DIR}/windows/LEESMIJ.txt
               @ONLY NEWLINE_STYLE CRLF)
file(READ ${kwintel_licentie} kwintel_tekst)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/windows/COPYING.txt CONTENT "${kwintel_tekst}"
     @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/data/windows/zwenkels-maken.txt
               ${CMAKE_BINARY_DIR}/windows/zwenkels-maken/LEESMIJ.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/windows/LEESMIJ.txt ${CMAKE_BINARY_DIR}/windows/COPYING.txt
        DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/windows/zwenkels-maken/LEESMIJ.txt
              ${PROJECT_SOURCE_DIR}/src/plugins/kwintel_plugin.h
        DESTINATION zwenkels-maken)
file(GLOB kwintel_voorbeelden ${PROJECT_SOURCE_DIR}/src/plugins/voorbeelden/*.c
     ${PROJECT_SOURCE_DIR}/src/plugins/voorbeelden/*.h)
install(FILES ${kwintel_voorbeelden} DESTINATION zwenkels-maken/voorbeelden)
