# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Run by maak_chm.cmake in the help's working folder, before compiling:
# writes the search data and the page of key words, both made from whatever
# pages are there, so a new page is found and listed without an edit here.
#
#   zoeken.txt        one line per page: path TAB title TAB key words TAB
#                     plain text (UTF-8)
#   trefwoorden.html  the key words A to Z, each with links to its pages
#
# Every page names its key words in <meta name="keywords" content="a, b, c">
# (the words a reader looks for, not the title again); a page without them
# stops the build. The generated page itself is neither searched nor listed.

file(GLOB_RECURSE paginas RELATIVE ${WERK} ${WERK}/*.html ${WERK}/*.htm)
list(REMOVE_ITEM paginas trefwoorden.html)
list(SORT paginas)

# Plain text of a piece of HTML: no tags, the entities our pages use decoded,
# white space collapsed.
function(platte_tekst html uit)
    string(REGEX REPLACE "<head>.*</head>" " " t "${html}")
    string(REGEX REPLACE "<(script|style)[^>]*>[^<]*</(script|style)>" " " t "${t}")
    string(REGEX REPLACE "<[^>]*>" " " t "${t}")
    string(REPLACE "&lt;" "<" t "${t}")
    string(REPLACE "&gt;" ">" t "${t}")
    string(REPLACE "&quot;" "\"" t "${t}")
    string(REPLACE "&nbsp;" " " t "${t}")
    string(REPLACE "&rarr;" "→" t "${t}")
    string(REPLACE "&amp;" "&" t "${t}")
    string(REGEX REPLACE "[ \t\r\n]+" " " t "${t}")
    string(STRIP "${t}" t)
    set(${uit} "${t}" PARENT_SCOPE)
endfunction()

function(html_veilig tekst uit)
    string(REPLACE "&" "&amp;" t "${tekst}")
    string(REPLACE "<" "&lt;" t "${t}")
    string(REPLACE ">" "&gt;" t "${t}")
    set(${uit} "${t}" PARENT_SCOPE)
endfunction()

set(zoekdata "")
set(woorden "")
foreach(pagina IN LISTS paginas)
    file(READ ${WERK}/${pagina} html)
    # The breadcrumb ("Inhoud > Modules") is on every page: not searched.
    string(REGEX REPLACE "<p class=\"kruimel\">[^\n]*</p>" " " html "${html}")
    set(titel "")
    if(html MATCHES "<title>([^<]*)</title>")
        set(titel "${CMAKE_MATCH_1}")
    endif()
    platte_tekst("${titel}" titel)
    if(titel STREQUAL "")
        set(titel "${pagina}")
    endif()
    platte_tekst("${html}" tekst)
    if(NOT html MATCHES "<meta name=\"keywords\" content=\"([^\"]*)\"")
        message(FATAL_ERROR "help page ${pagina} has no key-word line "
                            "(<meta name=\"keywords\" content=\"...\">)")
    endif()
    set(regel_woorden "${CMAKE_MATCH_1}")
    platte_tekst("${regel_woorden}" woorden_tekst)
    string(APPEND zoekdata "${pagina}\t${titel}\t${woorden_tekst}\t${tekst}\n")
    string(REPLACE "," ";" trefwoorden "${regel_woorden}")
    foreach(w IN LISTS trefwoorden)
        string(STRIP "${w}" w)
        if(w STREQUAL "")
            continue()
        endif()
        string(MAKE_C_IDENTIFIER "w_${w}" sleutel)
        string(TOLOWER "${sleutel}" sleutel)
        if(NOT DEFINED ${sleutel}_woord)
            set(${sleutel}_woord "${w}")
            list(APPEND woorden "${w}")
        endif()
        list(APPEND ${sleutel}_paginas "${pagina}")
        set(titel_van_${pagina} "${titel}")
    endforeach()
endforeach()
file(WRITE ${WERK}/zoeken.txt "${zoekdata}")

list(REMOVE_DUPLICATES woorden)
list(SORT woorden CASE INSENSITIVE)
set(lijst "")
set(letter "")
foreach(w IN LISTS woorden)
    string(MAKE_C_IDENTIFIER "w_${w}" sleutel)
    string(TOLOWER "${sleutel}" sleutel)
    if(NOT ${sleutel}_woord STREQUAL w)
        continue() # the same word spelt with other capitals: listed once
    endif()
    string(SUBSTRING "${w}" 0 1 eerste)
    string(TOUPPER "${eerste}" eerste)
    if(NOT eerste STREQUAL letter)
        if(NOT letter STREQUAL "")
            string(APPEND lijst "</dl>\n")
        endif()
        set(letter "${eerste}")
        string(APPEND lijst "<h2>${letter}</h2>\n<dl>\n")
    endif()
    html_veilig("${w}" w_html)
    string(APPEND lijst "<dt>${w_html}</dt>\n")
    set(paginas_van ${${sleutel}_paginas})
    list(REMOVE_DUPLICATES paginas_van)
    foreach(p IN LISTS paginas_van)
        html_veilig("${titel_van_${p}}" t_html)
        string(APPEND lijst "<dd><a href=\"${p}\">${t_html}</a></dd>\n")
    endforeach()
endforeach()
if(NOT letter STREQUAL "")
    string(APPEND lijst "</dl>\n")
endif()

file(WRITE ${WERK}/trefwoorden.html "<!DOCTYPE html>
<html lang=\"nl\">
<head><meta charset=\"utf-8\"><title>Trefwoorden</title>
<link rel=\"stylesheet\" type=\"text/css\" href=\"kwintel.css\"></head>
<body>
<p class=\"kruimel\"><a href=\"index.html\">Inhoud</a></p>
<h1>Trefwoorden</h1>
<p>Alle begrippen uit de help van A tot Z. Klik op een pagina om hem te openen, of typ in het
veld <b>Zoeken</b> bovenaan om op woorden in de tekst te zoeken.</p>
${lijst}</body>
</html>
")
