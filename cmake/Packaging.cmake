# `cmake --install` and `cpack -G DEB`: the program, its help text, the launcher with its icons,
# the AppStream metadata, the manual page, and in the package the copyright and changelog that
# Debian asks for. The help text in the data folder marks the copy as installed: it keeps each
# user's files in that user's own folder.
include(GNUInstallDirs)

install(TARGETS brambleplayer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/hilfe.rtf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/brambleplayer)
install(FILES ${PROJECT_SOURCE_DIR}/resources/brambleplayer.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/org.example.brambleplayer.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/brambleplayer.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/images/brambleplayer-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME brambleplayer.png)
endforeach()

# Compressed as Debian wants them: the most, and without a name or a time in the header.
set(BRAMBLE_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package)
foreach(source brambleplayer.1 changelog.Debian)
    add_custom_command(OUTPUT ${BRAMBLE_PACKAGE_DIR}/${source}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${BRAMBLE_PACKAGE_DIR}
        COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/resources/package/${source}
                > ${BRAMBLE_PACKAGE_DIR}/${source}.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/resources/package/${source}
        VERBATIM)
endforeach()
add_custom_target(bramble_package_files ALL
    DEPENDS ${BRAMBLE_PACKAGE_DIR}/brambleplayer.1.gz ${BRAMBLE_PACKAGE_DIR}/changelog.Debian.gz)
# `cmake --install` and cpack after a build of the player alone (./run) need them too.
add_dependencies(brambleplayer bramble_package_files)
install(FILES ${BRAMBLE_PACKAGE_DIR}/brambleplayer.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/copyright
              ${BRAMBLE_PACKAGE_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# File managers offer the player for MP3 files once the desktop database knows its launcher.
# A package leaves that to dpkg's trigger, so only an install straight into a prefix runs it.
install(CODE "
    set(applications \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
    find_program(UPDATE_DESKTOP_DATABASE update-desktop-database)
    if(UPDATE_DESKTOP_DATABASE AND NOT DEFINED ENV{DESTDIR}
       AND NOT CMAKE_INSTALL_PREFIX MATCHES \"/_CPack_Packages/\")
        execute_process(COMMAND \${UPDATE_DESKTOP_DATABASE} -q \${applications})
    endif()
")

set(CPACK_PACKAGE_NAME brambleplayer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_CONTACT "MP3-Brambleplayer <brambleplayer@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small MP3 player with a playlist of music folders")
set(CPACK_PACKAGE_DESCRIPTION "A small skinned MP3 player with a German user interface. Its playlist holds
every MP3 file of the folders you collect in its folder browser, played in
order or shuffled; folder lists can be saved and loaded again.
.
A tray icon lets it run hidden, a small popup shows each new track, and the
desktop's media keys and sound menus drive it over MPRIS. File managers can
open single MP3 files with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries the program links come from the binary; libmpv is opened only at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libmpv2")
# The skin's typeface, Qt's own dialogs in German, and a mixer on a sound server.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation2, qt6-translations-l10n, libasound2-plugins | pipewire-alsa")
include(CPack)

# The package's checks: made as the README says, checked as Debian's tools check it (not from
# the sanitizers' build, which is no package).
if(BRAMBLE_BUILD_TESTS AND NOT BRAMBLE_SANITIZE)
    add_test(NAME package_debian
             COMMAND bash ${PROJECT_SOURCE_DIR}/tools/check-package.sh ${CMAKE_CPACK_COMMAND}
                     ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources/brambleplayer.desktop
                     ${CMAKE_COMMAND})
    # It builds in the build folder, from which the installing test copies.
    set_tests_properties(package_debian PROPERTIES LABELS package TIMEOUT 120
                                        RESOURCE_LOCK build_folder)
endif()
