# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Run with cmake -P by kwintel_chm(): compiles one help file.
file(REMOVE_RECURSE ${WERK})
file(COPY ${BRON}/ DESTINATION ${WERK})
if(EXTRA AND EXISTS ${EXTRA})
    file(COPY ${EXTRA}/ DESTINATION ${WERK})
endif()

# The search data and the page of key words, made from the pages.
include(${CMAKE_CURRENT_LIST_DIR}/help_register.cmake)

# Every page, picture and style sheet, and the search data, go into the help file.
file(GLOB_RECURSE bestanden RELATIVE ${WERK} ${WERK}/*.html ${WERK}/*.htm ${WERK}/*.png
     ${WERK}/*.css ${WERK}/*.hhc ${WERK}/*.hhk ${WERK}/zoeken.txt)
list(SORT bestanden)
file(READ ${BRON}/${PROJECT} project)
string(APPEND project "\n[FILES]\n")
foreach(b IN LISTS bestanden)
    string(APPEND project "${b}\n")
endforeach()
get_filename_component(naam ${UIT} NAME)
string(REGEX REPLACE "Compiled file=[^\n]*" "Compiled file=${naam}" project "${project}")
file(WRITE ${WERK}/${PROJECT} "${project}")

execute_process(COMMAND ${CHMCMD} --no-html-scan ${PROJECT} WORKING_DIRECTORY ${WERK}
                RESULT_VARIABLE rc OUTPUT_VARIABLE uitvoer ERROR_VARIABLE uitvoer)
if(NOT rc EQUAL 0 OR NOT EXISTS ${WERK}/${naam})
    message(FATAL_ERROR "chmcmd failed (${rc}):\n${uitvoer}")
endif()
file(COPY_FILE ${WERK}/${naam} ${UIT} ONLY_IF_DIFFERENT)
