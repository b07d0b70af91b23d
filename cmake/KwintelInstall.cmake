# Installation and the Debian package.
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
# that plug-ins built by other parts of the build come along. They are
# stripped like the program when the install strips (cpack, --strip).
install(DIRECTORY ${KWINTEL_PROGRAM_DIR}/ DESTINATION ${KWINTEL_INSTALL_MAP}
        USE_SOURCE_PERMISSIONS FILES_MATCHING PATTERN "*.so" PATTERN "CMakeFiles" EXCLUDE)
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
# build time; the changelog, compressed as Debian wants it.
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
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/data/debian/changelog
            ${kwintel_changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog
    COMMENT "Compressing the changelog"
    VERBATIM)
add_custom_target(kwintel_documentatie ALL DEPENDS ${kwintel_man_nl} ${kwintel_man_en}
                                                   ${kwintel_changelog})
install(FILES ${kwintel_man_en} DESTINATION share/man/man1)
install(FILES ${kwintel_man_nl} DESTINATION share/man/nl/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${kwintel_changelog}
        DESTINATION share/doc/kwintelvlak)
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

# ---- The Debian package: cpack -G DEB (in the build folder) -----------------
# scripts/pakket.sh builds it with Debian's hardening flags and checks it with
# lintian, desktop-file-validate and appstreamcli.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kwintelvlak")
set(CPACK_PACKAGE_VENDOR "Kwintelvlak")
set(CPACK_PACKAGE_CONTACT "Kwintelvlak <info@kwintelvlak.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of a modular electronics teaching board")
set(CPACK_PACKAGE_DESCRIPTION
    "Pupils take modules from Dutch menus (push buttons, sensors, gates, a
counter, LEDs, a buzzer, a relay), place them on a board and wire outputs to
inputs; the levels travel along the wires as they would on the real teaching
board used in secondary-school physics lessons.
.
Includes a searchable Dutch help file, two standard boards, example plug-in
modules, and command-line checking of pupils' boards for teachers.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kwintelvlak.example.org/")
# Files are installed with DESTDIR and the real prefix, so that the standard
# boards can go to /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's platform plug-ins (the window on X11 or Wayland) live in a package of
# their own that the libraries do not pull in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core, pulseaudio | pipewire-pulse")
set(CPACK_STRIP_FILES ON)
# The standard boards are configuration files: an upgrade keeps their edits.
file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles
     "/etc/kwintelvlak/standaard.brd\n/etc/kwintelvlak/standaard2.brd\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack adds ldconfig calls for any library under /usr/lib; the plug-ins are
# private to the program, so the package is made again without them.
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/deb_zonder_ldconfig.cmake)
include(CPack)
