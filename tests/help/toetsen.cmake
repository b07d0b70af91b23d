# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#
# Included by tests/CMakeLists.txt: the help held to the program, the file
# type, the licence headers.

# Each module page's check file, run by the real program on its board as a
# teacher runs one. The board's own numbering must pass: a renumbering
# ("LED 1 = LED 2 op het bord") would hide a page that names the wrong module.
file(GLOB kwintel_help_toetsen CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/help/*.txt)
foreach(toets IN LISTS kwintel_help_toetsen)
    get_filename_component(naam ${toets} NAME_WE)
    add_test(NAME help/${naam}
             COMMAND kwintelvlak --toets ${toets} ${CMAKE_CURRENT_SOURCE_DIR}/help/${naam}.brd)
    set_tests_properties(help/${naam} PROPERTIES ENVIRONMENT "DISPLAY=;QT_QPA_PLATFORM=offscreen"
                         FAIL_REGULAR_EXPRESSION "op het bord")
endforeach()
target_compile_definitions(help_tst_helpbeweringen PRIVATE KWINTEL_BRON="${PROJECT_SOURCE_DIR}")

# The ".brd" file type as GIO and xdg-mime see it.
add_test(NAME bureaublad/bestandssoort
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/bureaublad/bestandssoort.sh
                 ${PROJECT_SOURCE_DIR}/data/bureaublad/kwintelvlak.xml
                 ${PROJECT_SOURCE_DIR}/data/standaard.brd)
set_tests_properties(bureaublad/bestandssoort PROPERTIES SKIP_RETURN_CODE 77)

# Every tracked source file carries its SPDX licence header. Only in a git
# checkout (a source package has no history to list the files by).
if(EXISTS ${PROJECT_SOURCE_DIR}/.git)
    add_test(NAME licentie/spdx COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/spdx.sh)
endif()
