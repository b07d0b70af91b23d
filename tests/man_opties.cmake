# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# ctest man/opties: every option that "kwintelvlak --help" names is in each
# manual page (PAGINAS, separated by "|"), and each page's sections are there.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAMMA} --help
                OUTPUT_VARIABLE hulp RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "--help failed: ${rc}")
endif()
string(REGEX MATCHALL "--[a-z][a-z-]*" opties "${hulp}")
list(REMOVE_DUPLICATES opties)
list(LENGTH opties n)
if(n LESS 5)
    message(FATAL_ERROR "too few options in --help: ${opties}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAMMA} --version
                OUTPUT_VARIABLE versie)
string(REGEX MATCH "[0-9]+\\.[0-9]+" versie "${versie}")
string(REPLACE "|" ";" paginas "${PAGINAS}")
foreach(pagina IN LISTS paginas)
    execute_process(COMMAND gzip -dc ${pagina} OUTPUT_VARIABLE tekst RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${pagina} cannot be read")
    endif()
    foreach(optie IN LISTS opties)
        string(REPLACE "-" "\\-" roff "${optie}")
        string(FIND "${tekst}" "\\fB${roff}" plek)
        if(plek EQUAL -1)
            string(FIND "${tekst}" ", ${roff}" plek)
        endif()
        if(plek EQUAL -1)
            message(FATAL_ERROR "${pagina}: option ${optie} is not described")
        endif()
    endforeach()
    # No template placeholder may be left, and the header names the version
    # that --version prints.
    if(tekst MATCHES "@[A-Z]+@")
        message(FATAL_ERROR "${pagina}: a placeholder was left: ${CMAKE_MATCH_0}")
    endif()
    if(NOT versie STREQUAL "" AND NOT tekst MATCHES "Kwintelvlak ${versie}")
        message(FATAL_ERROR "${pagina}: the header does not name version ${versie}")
    endif()
    # The header carries the build's date; each usage is one synopsis for
    # the formatter to wrap; an option's dashes are minus signs everywhere.
    foreach(deel "^\\.TH KWINTELVLAK 1 \"[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]\" "
                 "\n\\.SH (NAME|NAAM)\n" "\n\\.SH (SYNOPSIS|OVERZICHT)\n\\.SY kwintelvlak\n[^\n]*\n\\.YS\n\\.SY kwintelvlak\n")
        if(NOT tekst MATCHES "${deel}")
            message(FATAL_ERROR "${pagina}: no match for ${deel}")
        endif()
    endforeach()
    if(tekst MATCHES "(^|[ ([\n])--[a-z]")
        message(FATAL_ERROR "${pagina}: an option with plain hyphens: ${CMAKE_MATCH_0}")
    endif()
    if(tekst MATCHES "\n\\.br\n\\\\fB\\[")
        message(FATAL_ERROR "${pagina}: a synopsis broken into a line of its own")
    endif()
endforeach()
message(STATUS "${n} options in each page")
