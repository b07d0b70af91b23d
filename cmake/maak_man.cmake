# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Run with cmake -P by the build: writes a manual page from the program's own
# --help text, so that every option the program knows is in it.
#
#   -DPROGRAMMA=path/kwintelvlak -DSJABLOON=page.1.in -DUIT=page.1.gz -DVERSIE=x.y
#
# The template holds @VERSIE@, @DATUM@ (the build's date: SOURCE_DATE_EPOCH
# when set, as a package build sets it from its changelog), @GEBRUIK@ (the
# usage lines, each one synopsis that the formatter wraps), @OPTIES@ (the
# options, one tagged paragraph each) and @TEKST@ (the other paragraphs).
# Options named in the text are set with real minus signs (\-), words with
# hyphens keep them.

# Without this, a quoted "@VERSIE@" would itself be read as a variable
# reference, and the placeholder would never be found.
cmake_policy(SET CMP0053 NEW)
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                        ${PROGRAMMA} --help
                RESULT_VARIABLE rc OUTPUT_VARIABLE hulp ERROR_VARIABLE fout)
if(NOT rc EQUAL 0 OR hulp STREQUAL "")
    message(FATAL_ERROR "${PROGRAMMA} --help failed (${rc}): ${fout}")
endif()

# Lines as a list: the text's own semicolons are parked first.
string(REPLACE ";" "@PK@" hulp "${hulp}")
string(REPLACE "\\" "\\e" hulp "${hulp}")
string(REPLACE "\n" ";" regels "${hulp}")

function(roff_regel tekst uit)
    # An option's dashes are minus signs; "--json" is typed as it is printed.
    string(REGEX REPLACE "(^|[ [(/\"'])--([A-Za-z])" "\\1\\\\-\\\\-\\2" tekst "${tekst}")
    # A line of text that would start with a request character is escaped.
    if(tekst MATCHES "^[.']")
        set(tekst "\\&${tekst}")
    endif()
    set(${uit} "${tekst}" PARENT_SCOPE)
endfunction()

set(deel "")
set(gebruik "")
set(opties "")
set(tekst "")
set(alinea "")
foreach(regel IN LISTS regels)
    if(regel MATCHES "^([A-Za-z][^ ]*):$")
        set(deel "${CMAKE_MATCH_1}")
        continue()
    endif()
    if(regel MATCHES "^[ \t]*$")
        if(NOT alinea STREQUAL "")
            string(APPEND tekst ".PP\n${alinea}")
            set(alinea "")
        endif()
        set(deel "")
        continue()
    endif()
    if(deel STREQUAL "Gebruik" AND regel MATCHES "^  ([^ ]+) (.*)$")
        # A usage: the program's name, then its arguments, which a line
        # indented further continues. The formatter wraps them.
        string(REPLACE "-" "\\-" rest "${CMAKE_MATCH_2}")
        string(APPEND gebruik ".SY ${CMAKE_MATCH_1}\n${rest}\n.YS\n")
    elseif(deel STREQUAL "Gebruik" AND regel MATCHES "^   +(.*)$")
        string(REPLACE "-" "\\-" rest "${CMAKE_MATCH_1}")
        string(REGEX REPLACE "\n\\.YS\n$" "\n" gebruik "${gebruik}")
        string(APPEND gebruik "${rest}\n.YS\n")
    elseif(deel STREQUAL "Opties" AND regel MATCHES "^  ?(-[^ ]+( [^ ]+)*(, -[^ ]+( [^ ]+)*)*)(  +(.*))?$")
        string(REPLACE "-" "\\-" optie "${CMAKE_MATCH_1}")
        roff_regel("${CMAKE_MATCH_6}" uitleg)
        string(APPEND opties ".TP\n\\fB${optie}\\fR\n")
        if(NOT uitleg STREQUAL "")
            string(APPEND opties "${uitleg}\n")
        endif()
    elseif(deel STREQUAL "Opties" AND regel MATCHES "^ +(.*)$")
        roff_regel("${CMAKE_MATCH_1}" uitleg)
        string(APPEND opties "${uitleg}\n")
    else()
        string(STRIP "${regel}" regel)
        roff_regel("${regel}" regel)
        string(APPEND alinea "${regel}\n")
    endif()
endforeach()
if(NOT alinea STREQUAL "")
    string(APPEND tekst ".PP\n${alinea}")
endif()
if(opties STREQUAL "")
    message(FATAL_ERROR "no options found in the output of ${PROGRAMMA} --help")
endif()

string(REGEX REPLACE "\n$" "" gebruik "${gebruik}")
file(READ ${SJABLOON} pagina)
string(TIMESTAMP datum "%Y-%m-%d" UTC)
string(REPLACE "@DATUM@" "${datum}" pagina "${pagina}")
string(REPLACE "@VERSIE@" "${VERSIE}" pagina "${pagina}")
string(REPLACE "@GEBRUIK@" "${gebruik}" pagina "${pagina}")
string(REPLACE "@OPTIES@" "${opties}" pagina "${pagina}")
string(REPLACE "@TEKST@" "${tekst}" pagina "${pagina}")
string(REPLACE "@PK@" ";" pagina "${pagina}")
string(REGEX REPLACE "\\.gz$" "" pagina_pad "${UIT}")
get_filename_component(map ${pagina_pad} DIRECTORY)
file(MAKE_DIRECTORY ${map})
file(WRITE ${pagina_pad} "${pagina}")
# Highest compression and no name or time stamp in the header: the same
# page gives the same bytes.
execute_process(COMMAND gzip -9nf ${pagina_pad} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${pagina_pad}")
endif()
