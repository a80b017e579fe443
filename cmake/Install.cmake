# The installed layout (set in CMakeLists.txt): the executable in games/ and
# the data in share/games/kvspace/ below the prefix, the desktop files where
# GNUInstallDirs puts them; `cmake --install build --prefix P` gives
# a game that runs from anywhere. Beside them, what a desktop needs to list,
# show and document the game: the desktop entry, the icons, the AppStream
# metainfo, the manual page, the copyright and the changelog.
install(TARGETS kvspace RUNTIME DESTINATION ${KV_INSTALL_BINDIR})
install(DIRECTORY ${KV_GAME_DIR}/res ${KV_GAME_DIR}/Objects DESTINATION ${KV_INSTALL_DATADIR})

# The AppStream identity and the public pages its screenshots are served from.
# Both wait for the studio's own domain; the screenshots are those of
# docs/screenshots/.
set(KV_APP_ID "org.example.kvspace" CACHE STRING "AppStream component id")
set(KV_HOMEPAGE "https://kvspace.example.org/" CACHE STRING "The game's home page, ending in a slash")

set(KV_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
configure_file(dist/kvspace.metainfo.xml.in ${KV_DIST_DIR}/${KV_APP_ID}.metainfo.xml @ONLY)
configure_file(dist/kvspace.6.in ${KV_DIST_DIR}/kvspace.6 @ONLY)
configure_file(dist/changelog ${KV_DIST_DIR}/changelog COPYONLY)

# Manual pages and changelogs are shipped compressed, as Debian wants them;
# -n keeps the file's name and time out, so that builds are reproducible.
foreach(file kvspace.6 changelog)
  add_custom_command(OUTPUT ${KV_DIST_DIR}/${file}.gz
    COMMAND gzip -9nfk ${KV_DIST_DIR}/${file}
    DEPENDS ${KV_DIST_DIR}/${file})
endforeach()
add_custom_target(dist_files ALL DEPENDS ${KV_DIST_DIR}/kvspace.6.gz ${KV_DIST_DIR}/changelog.gz)

install(FILES dist/kvspace.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KV_DIST_DIR}/${KV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KV_DIST_DIR}/kvspace.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES dist/copyright ${KV_DIST_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
foreach(size 16 32 48 64 128 256)
  install(FILES ${KV_GAME_DIR}/res/gfx/icons/kvspace-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kvspace.png)
endforeach()
