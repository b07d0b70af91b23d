# Installation and the Debian package.
#
# The program runs from one folder that holds everything it finds beside
# itself: the executable, the standard boards, the help file and the plug-ins
# (<prefix>/lib/kwintelvlak). A link in <prefix>/bin puts it in PATH; the
# program finds its folder through the link. A desktop entry, an icon and the
# ".brd" file type let a file manager open boards with it.

set(KWINTEL_INSTALL_MAP "lib/kwintelvlak" CACHE STRING
    "Folder, relative to the prefix, that holds the program and what belongs beside it")

install(TARGETS kwintelvlak RUNTIME DESTINATION ${KWINTEL_INSTALL_MAP})
# Whatever the build put beside the program: the standard boards, the help
# file, the plug-ins built there (any *.so), a logo bitmap. Matched at install
# time, so plug-ins built by other parts of the build come along.
install(DIRECTORY ${KWINTEL_PROGRAM_DIR}/ DESTINATION ${KWINTEL_INSTALL_MAP}
        USE_SOURCE_PERMISSIONS
        FILES_MATCHING PATTERN "*.brd" PATTERN "kwintel.chm" PATTERN "*.so" PATTERN "*.bmp")
install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(REMOVE \"\${bin}/kwintelvlak\")
    file(CREATE_LINK ../${KWINTEL_INSTALL_MAP}/kwintelvlak \"\${bin}/kwintelvlak\" SYMBOLIC)
    message(STATUS \"Installing: \${bin}/kwintelvlak -> ../${KWINTEL_INSTALL_MAP}/kwintelvlak\")
")

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
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kwintelvlak")
set(CPACK_PACKAGE_VENDOR "Kwintelvlak")
set(CPACK_PACKAGE_CONTACT "Kwintelvlak <info@kwintelvlak.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Simulator of a modular electronics teaching board")
set(CPACK_PACKAGE_DESCRIPTION
    "Pupils take modules from Dutch menus (push buttons, sensors, gates, a counter, LEDs, a
buzzer, a relay), place them on a board and wire outputs to inputs; the levels travel
along the wires as they would on the real teaching board. Includes a Dutch help file,
two standard boards, example plug-in modules, and command-line checking of pupils'
boards for teachers.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's platform plug-ins (the window on X11 or Wayland) live in a package of
# their own that the libraries do not pull in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core, pulseaudio | pipewire-pulse")
set(CPACK_STRIP_FILES ON)
include(CPack)
