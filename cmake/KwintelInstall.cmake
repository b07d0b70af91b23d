# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# Installation. The Debian package is made from debian/ with dpkg-buildpackage
# (scripts/pakket.sh), which installs through these rules.
#
# The program runs from one folder that holds everything it finds beside
# itself (<prefix>/lib/kwintelvlak): the executable and the plug-ins, with
# links to what is not bound to the machine's architecture: the help file
# and a logo bitmap in <prefix>/share/kwintelvlak, and the standard boards,
# which administrators edit, in /etc/kwintelvlak (<prefix>/etc/kwintelvlak
# outside /usr). The program finds them through the links as before. A link
# in <prefix>/bin puts it in PATH; the program finds its folder through the
# link. A desktop entry, an icon, the ".brd" file type and AppStream data
# let a desktop list the program and open boards with it.

set(KWINTEL_INSTALL_MAP "lib/kwintelvlak" CACHE STRING
    "Folder, relative to the prefix, that holds the program and what belongs beside it")
set(KWINTEL_DATA_INSTALL_MAP "share/kwintelvlak" CACHE STRING
    "Folder, relative to the prefix, for the help file and other data of every architecture")
# The link from the program folder to the data folder, prefix-independent.
file(RELATIVE_PATH kwintel_naar_data /p/${KWINTEL_INSTALL_MAP} /p/${KWINTEL_DATA_INSTALL_MAP})
file(RELATIVE_PATH kwintel_naar_prefix /p/${KWINTEL_INSTALL_MAP} /p)
string(REGEX REPLACE "/$" "" kwintel_naar_prefix "${kwintel_naar_prefix}")

install(TARGETS kwintelvlak RUNTIME DESTINATION ${KWINTEL_INSTALL_MAP})
# The plug-ins built beside the program (any *.so), matched at install time so
# that plug-ins built by other parts of the build come along. They are loaded,
# never run, so they are not executable (0644). They are stripped like the
# program when the install strips (--strip).
install(DIRECTORY ${KWINTEL_PROGRAM_DIR}/ DESTINATION ${KWINTEL_INSTALL_MAP}
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        FILES_MATCHING PATTERN "*.so" PATTERN "CMakeFiles" EXCLUDE)
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        file(GLOB zwenkels \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KWINTEL_INSTALL_MAP}/*.so\")
        foreach(z IN LISTS zwenkels)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded --remove-section=.comment
                                    --remove-section=.note \"\${z}\" RESULT_VARIABLE rc)
            if(NOT rc EQUAL 0)
                message(FATAL_ERROR \"strip failed on \${z}\")
            endif()
        endforeach()
    endif()
")
# The help file and a logo bitmap in the data folder, linked from the program
# folder.
install(DIRECTORY ${KWINTEL_PROGRAM_DIR}/ DESTINATION ${KWINTEL_DATA_INSTALL_MAP}
        FILES_MATCHING PATTERN "kwintel.chm" PATTERN "*.bmp" PATTERN "CMakeFiles" EXCLUDE)
install(CODE "
    set(prefix \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    file(GLOB gedeeld RELATIVE \"\${prefix}/${KWINTEL_DATA_INSTALL_MAP}\"
         \"\${prefix}/${KWINTEL_DATA_INSTALL_MAP}/kwintel.chm\" \"\${prefix}/${KWINTEL_DATA_INSTALL_MAP}/*.bmp\")
    foreach(f IN LISTS gedeeld)
        file(REMOVE \"\${prefix}/${KWINTEL_INSTALL_MAP}/\${f}\")
        file(CREATE_LINK ${kwintel_naar_data}/\${f} \"\${prefix}/${KWINTEL_INSTALL_MAP}/\${f}\" SYMBOLIC)
        message(STATUS \"Installing: \${prefix}/${KWINTEL_INSTALL_MAP}/\${f} -> ${kwintel_naar_data}/\${f}\")
    endforeach()
")
# The standard boards are configuration: /etc/kwintelvlak for the prefix
# /usr (the package), <prefix>/etc/kwintelvlak elsewhere.
set(kwintel_borden ${PROJECT_SOURCE_DIR}/data/standaard.brd ${PROJECT_SOURCE_DIR}/data/standaard2.brd)
install(CODE "
    if(\"\${CMAKE_INSTALL_PREFIX}\" STREQUAL \"/usr\")
        set(etc /etc/kwintelvlak)
        set(naar_etc /etc/kwintelvlak)
    else()
        set(etc \"\${CMAKE_INSTALL_PREFIX}/etc/kwintelvlak\")
        set(naar_etc ${kwintel_naar_prefix}/etc/kwintelvlak)
    endif()
    # file(INSTALL) puts DESTDIR before the folder itself.
    file(INSTALL DESTINATION \"\${etc}\" TYPE FILE FILES ${kwintel_borden})
    foreach(b standaard.brd standaard2.brd)
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KWINTEL_INSTALL_MAP}/\${b}\")
        file(REMOVE \"\${link}\")
        file(CREATE_LINK \"\${naar_etc}/\${b}\" \"\${link}\" SYMBOLIC)
        message(STATUS \"Installing: \${link} -> \${naar_etc}/\${b}\")
    endforeach()
")
install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(REMOVE \"\${bin}/kwintelvlak\")
    file(CREATE_LINK ../${KWINTEL_INSTALL_MAP}/kwintelvlak \"\${bin}/kwintelvlak\" SYMBOLIC)
    message(STATUS \"Installing: \${bin}/kwintelvlak -> ../${KWINTEL_INSTALL_MAP}/kwintelvlak\")
")

# The manual pages, Dutch and English, made from the program's own --help at
# build time, dated by the build (SOURCE_DATE_EPOCH when it is set, so the
# same sources give the same page); the changelog, compressed.
set(kwintel_man ${CMAKE_BINARY_DIR}/man)
set(kwintel_man_nl ${kwintel_man}/nl/man1/kwintelvlak.1.gz)
set(kwintel_man_en ${kwintel_man}/man1/kwintelvlak.1.gz)
foreach(taal nl en)
    if(taal STREQUAL "nl")
        set(sjabloon ${PROJECT_SOURCE_DIR}/data/man/kwintelvlak.nl.1.in)
    else()
        set(sjabloon ${PROJECT_SOURCE_DIR}/data/man/kwintelvlak.1.in)
    endif()
    add_custom_command(
        OUTPUT ${kwintel_man_${taal}}
        COMMAND ${CMAKE_COMMAND} -DPROGRAMMA=$<TARGET_FILE:kwintelvlak> -DSJABLOON=${sjabloon}
                -DUIT=${kwintel_man_${taal}} -DVERSIE=${PROJECT_VERSION}
                -P ${PROJECT_SOURCE_DIR}/cmake/maak_man.cmake
        DEPENDS kwintelvlak ${sjabloon} ${PROJECT_SOURCE_DIR}/cmake/maak_man.cmake
        COMMENT "Writing the manual page ${kwintel_man_${taal}} from kwintelvlak --help"
        VERBATIM)
endforeach()
set(kwintel_changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
    OUTPUT ${kwintel_changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/debian/changelog
            ${kwintel_changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/debian/changelog
    COMMENT "Compressing the changelog"
    VERBATIM)
add_custom_target(kwintel_documentatie ALL DEPENDS ${kwintel_man_nl} ${kwintel_man_en}
                                                   ${kwintel_changelog})
install(FILES ${kwintel_man_en} DESTINATION share/man/man1)
install(FILES ${kwintel_man_nl} DESTINATION share/man/nl/man1)
# The licence and the copyright per path, for installs outside the package
# manager (the Debian package brings its own from debian/).
install(FILES ${PROJECT_SOURCE_DIR}/COPYING ${PROJECT_SOURCE_DIR}/debian/copyright
              ${kwintel_changelog} DESTINATION share/doc/kwintelvlak)
install(FILES ${PROJECT_SOURCE_DIR}/data/bureaublad/org.example.kwintelvlak.metainfo.xml
        DESTINATION share/metainfo)

set(bureaublad ${PROJECT_SOURCE_DIR}/data/bureaublad)
install(FILES ${bureaublad}/kwintelvlak.desktop DESTINATION share/applications)
install(FILES ${bureaublad}/kwintelvlak.xml DESTINATION share/mime/packages)
install(FILES ${bureaublad}/kwintelvlak.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(maat 48 128 256)
    install(FILES ${bureaublad}/kwintelvlak-${maat}.png
            DESTINATION share/icons/hicolor/${maat}x${maat}/apps RENAME kwintelvlak.png)
endforeach()
install(FILES ${bureaublad}/kwintelvlak-48.png DESTINATION share/pixmaps RENAME kwintelvlak.png)

# A plain "cmake --install" into a prefix outside the package manager
# refreshes the desktop's file-type and program lists itself, when it can.
install(CODE "
    if(NOT \"\$ENV{DESTDIR}\" AND NOT \"\$ENV{KWINTEL_GEEN_DATABASES}\")
        find_program(mime_db update-mime-database)
        find_program(desktop_db update-desktop-database)
        if(mime_db)
            execute_process(COMMAND \${mime_db} \"\${CMAKE_INSTALL_PREFIX}/share/mime\"
                            OUTPUT_QUIET ERROR_QUIET)
        endif()
        if(desktop_db)
            execute_process(COMMAND \${desktop_db} \"\${CMAKE_INSTALL_PREFIX}/share/applications\"
                            OUTPUT_QUIET ERROR_QUIET)
        endif()
    endif()
")
