# `cmake --install` and `cpack -G DEB`: the program, its help text, the launcher and its icon.
# An installed copy keeps each user's files in that user's own folder; the help text lies in
# the data folder, where the program looks for it when it is not beside it.
include(GNUInstallDirs)

install(TARGETS brambleplayer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/hilfe.rtf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/brambleplayer)
install(FILES ${PROJECT_SOURCE_DIR}/resources/brambleplayer.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/brambleplayer.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/brambleplayer-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME brambleplayer.png)

set(CPACK_PACKAGE_NAME brambleplayer)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "MP3-Brambleplayer <brambleplayer@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small MP3 player with a playlist of music folders")
set(CPACK_PACKAGE_DESCRIPTION "A small skinned MP3 player with a German user interface. \
Its playlist holds every MP3 file of the folders you collect; a tray icon lets it run hidden.")
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
