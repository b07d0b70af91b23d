# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Compiling help files (".chm") from HTML sources with chmcmd.
#
# kwintel_chm(TARGET name BRON dir PROJECT file.hhp UIT output.chm
#             [EXTRA dir] [DEPENDS ...])
# copies the sources (and, when given, the generated files in EXTRA) into a
# working folder in the build, lists every page, picture and style sheet in
# the project's [FILES] section and compiles the help file to UIT.

if(NOT KWINTEL_CHMCMD)
    find_program(KWINTEL_CHMCMD NAMES chmcmd chmcmd-3.2.2)
endif()
if(NOT KWINTEL_CHMCMD)
    # Not installed: take the single binary from Debian's package.
    execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/chmcmd.sh
                            ${CMAKE_BINARY_DIR}/gereedschap
                    OUTPUT_VARIABLE chmcmd_pad OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE chmcmd_rc)
    if(NOT chmcmd_rc EQUAL 0)
        message(FATAL_ERROR "The help compiler chmcmd is missing and could not be fetched "
                            "(scripts/chmcmd.sh). Install fp-utils or pass -DKWINTEL_CHMCMD=path.")
    endif()
    set(KWINTEL_CHMCMD ${chmcmd_pad} CACHE FILEPATH "The help compiler chmcmd" FORCE)
endif()
message(STATUS "Help compiler: ${KWINTEL_CHMCMD}")

function(kwintel_chm)
    cmake_parse_arguments(A "" "TARGET;BRON;PROJECT;UIT;EXTRA" "DEPENDS" ${ARGN})
    file(GLOB_RECURSE bronnen CONFIGURE_DEPENDS ${A_BRON}/*)
    get_filename_component(naam ${A_UIT} NAME_WE)
    add_custom_command(
        OUTPUT ${A_UIT}
        COMMAND ${CMAKE_COMMAND} -DCHMCMD=${KWINTEL_CHMCMD} -DBRON=${A_BRON}
                -DPROJECT=${A_PROJECT} -DEXTRA=${A_EXTRA}
                -DWERK=${CMAKE_CURRENT_BINARY_DIR}/${naam}_chm -DUIT=${A_UIT}
                -P ${PROJECT_SOURCE_DIR}/cmake/maak_chm.cmake
        DEPENDS ${bronnen} ${A_DEPENDS} ${PROJECT_SOURCE_DIR}/cmake/maak_chm.cmake
                ${PROJECT_SOURCE_DIR}/cmake/help_register.cmake
        COMMENT "Compiling help file ${A_UIT}"
        VERBATIM)
    add_custom_target(${A_TARGET} ALL DEPENDS ${A_UIT})
endfunction()
