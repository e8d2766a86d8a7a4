# `cmake --install build` puts Horlune in the user's own folders: ~/.local unless CMAKE_INSTALL_PREFIX
# (or --prefix) says otherwise.
#   lib/horlune/horlune, HLN.html,                 the program reads its help page (with its picture)
#     HLN-*.png, horlune.ini                       and city list beside its executable, so they share a
#                                                  folder the user can write; an installed city list is
#                                                  never overwritten
#   bin/horlune                                    a link to lib/horlune/horlune, for the PATH
#   share/applications/fr.horlune.Horlune.desktop  the menu entry
#   share/icons/hicolor/NxN/apps/horlune.png       its icon, 16 to 512 pixels, and scalable/apps/horlune.svg
#   share/metainfo/fr.horlune.Horlune.metainfo.xml what software centres show (AppStream)
#   share/man/man1/horlune.1.gz                    the manual page, in French
# A staged install (DESTDIR set, as a package is made) is for the whole system: its default city list goes
# to share/horlune/horlune.ini instead, and each user's own copy to $XDG_DATA_HOME/horlune (see
# cityListFolder()). `cmake --build build --target package` makes the Debian package (CPack).
# cmake/installed-files.txt lists them but the city list; scripts/uninstall.sh removes what it lists, and the
# city list only when asked, and the install test checks that each is there. The default prefix is set at
# the top of CMakeLists.txt.
set(HORLUNE_INSTALL_DIR lib/horlune)

# Qt comes from the system: the installed program needs no run path of its own.
set_target_properties(horlune PROPERTIES INSTALL_RPATH "")
install(TARGETS horlune RUNTIME DESTINATION ${HORLUNE_INSTALL_DIR})
install(FILES resources/HLN.html resources/HLN-planifier.png resources/HLN-creneau.png resources/HLN-semaine.png
              resources/HLN-soleil.png DESTINATION ${HORLUNE_INSTALL_DIR})

file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
file(CREATE_LINK ../${HORLUNE_INSTALL_DIR}/horlune ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune DESTINATION bin)

# What a Debian system expects of every package: its copyright and its changelog, compressed.
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/launcher/changelog.gz
    COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/resources/debian/changelog > ${CMAKE_CURRENT_BINARY_DIR}/launcher/changelog.gz
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/resources/debian/changelog VERBATIM)
add_custom_target(horlune_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/launcher/changelog.gz)
install(FILES resources/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/launcher/changelog.gz DESTINATION share/doc/horlune)

foreach(size 16 22 24 32 48 64 128 256 512)
    install(FILES resources/pictures/horlune-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME horlune.png)
endforeach()
install(FILES resources/pictures/horlune.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES resources/fr.horlune.Horlune.metainfo.xml DESTINATION share/metainfo)
# The manual page carries the version of project().
configure_file(resources/horlune.1.in ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.1 @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.1.gz
    COMMAND gzip -9n -c ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.1 > ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.1.gz
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.1 VERBATIM)
add_custom_target(horlune_manual ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.1.gz DESTINATION share/man/man1)

# Made at install time, when the prefix is known: the menu entry starts the launcher by its full path, and
# the city list is copied only when none is there. The city list stays out of install_manifest.txt, so that
# removing what the manifest lists keeps it.
install(CODE "
    set(HORLUNE_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/bin/horlune\")
    configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/resources/fr.horlune.Horlune.desktop.in\"
                   \"${CMAKE_CURRENT_BINARY_DIR}/launcher/fr.horlune.Horlune.desktop\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\" TYPE FILE
         FILES \"${CMAKE_CURRENT_BINARY_DIR}/launcher/fr.horlune.Horlune.desktop\")

    set(SOURCE \"${CMAKE_CURRENT_SOURCE_DIR}/resources/horlune.ini\")
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
        set(DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${HORLUNE_INSTALL_DIR}/horlune.ini\")
    else()
        set(DESTINATION \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/horlune/horlune.ini\")
    endif()
    include(\"${CMAKE_CURRENT_SOURCE_DIR}/cmake/copy_if_absent.cmake\")
")

# The list that the uninstaller and the install test read must be what this file installs.
install(CODE "
    file(STRINGS \"${CMAKE_CURRENT_SOURCE_DIR}/cmake/installed-files.txt\" listed)
    foreach(file IN LISTS listed)
        if(NOT EXISTS \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\")
            message(FATAL_ERROR \"cmake/installed-files.txt names \${file}, which was not installed\")
        endif()
    endforeach()
")

# The Debian package: `cmake --build build --target package` makes horlune_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME horlune)
set(CPACK_PACKAGE_VENDOR "Horlune")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "horloge universelle : le Temps Universel et 59 villes du monde")
set(CPACK_PACKAGE_DESCRIPTION "Horlune montre dans une fenêtre sans bord l'heure locale et une grille\n\
de 60 petites horloges : le Temps Universel et 59 villes, de jour comme de\n\
nuit, chacune à l'heure de son pays toute l'année. Un panneau modifie la\n\
liste des villes.")
set(CPACK_PACKAGE_CONTACT "Horlune <auteur@horlune.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://horlune.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides the libraries dpkg-shlibdeps finds in the program: libnova's, for sunrise and sunset (named here too,
# as the linker leaves out a library the program does not call yet), Qt's platform plugins, its French texts,
# the zones, Wayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libnova-0.16-0, qt6-qpa-plugins, qt6-translations-l10n, qt6-wayland, tzdata")
set(CPACK_STRIP_FILES ON)
include(CPack)
