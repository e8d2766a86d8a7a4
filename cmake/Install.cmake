# `cmake --install build` puts Horlune in the user's own folders: ~/.local unless CMAKE_INSTALL_PREFIX
# (or --prefix) says otherwise.
#   lib/horlune/horlune, HLN.html,                 the program reads its help page (with its picture)
#     HLN-planifier.png, horlune.ini               and city list beside its executable, so they share a
#                                                  folder the user can write; an installed city list is
#                                                  never overwritten
#   bin/horlune                                    a link to lib/horlune/horlune, for the PATH
#   share/applications/horlune.desktop             the menu entry
#   share/icons/hicolor/NxN/apps/horlune.png       its icon, 128 and 256 pixels
# cmake/installed-files.txt lists them but the city list; scripts/uninstall.sh removes what it lists, and the
# city list only when asked, and the install test checks that each is there. The default prefix is set at
# the top of CMakeLists.txt.
set(HORLUNE_INSTALL_DIR lib/horlune)

# Qt comes from the system: the installed program needs no run path of its own.
set_target_properties(horlune PROPERTIES INSTALL_RPATH "")
install(TARGETS horlune RUNTIME DESTINATION ${HORLUNE_INSTALL_DIR})
install(FILES resources/HLN.html resources/HLN-planifier.png DESTINATION ${HORLUNE_INSTALL_DIR})

file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
file(CREATE_LINK ../${HORLUNE_INSTALL_DIR}/horlune ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune DESTINATION bin)

foreach(size 128 256)
    install(FILES resources/pictures/horlune-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME horlune.png)
endforeach()

# Made at install time, when the prefix is known: the menu entry starts the launcher by its full path, and
# the city list is copied only when none is there. The city list stays out of install_manifest.txt, so that
# removing what the manifest lists keeps it.
install(CODE "
    set(HORLUNE_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/bin/horlune\")
    configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/resources/horlune.desktop.in\"
                   \"${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.desktop\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\" TYPE FILE
         FILES \"${CMAKE_CURRENT_BINARY_DIR}/launcher/horlune.desktop\")

    set(SOURCE \"${CMAKE_CURRENT_SOURCE_DIR}/resources/horlune.ini\")
    set(DESTINATION \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${HORLUNE_INSTALL_DIR}/horlune.ini\")
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
