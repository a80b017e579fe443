# The installed layout (set in CMakeLists.txt): the executable in games/ and
# the data in share/games/kvspace/ below the prefix, the desktop files where
# GNUInstallDirs puts them; `cmake --install build --prefix P` gives
# a game that runs from anywhere. Beside them, what a desktop needs to list,
# show and document the game: the desktop entry, the icons, the AppStream
# metainfo, the manual page, the copyright and the changelog.
#
# Two components, which the Debian package ships as two packages: `game`,
# the executable and what describes it to the desktop (kvspace, built for
# one architecture), and `data`, the pictures, sounds, catalogues and icons,
# the same on every architecture (kvspace-data).
install(TARGETS kvspace RUNTIME DESTINATION ${KV_INSTALL_BINDIR} COMPONENT game)
# The icons go to the desktop's icon theme only: the window draws its own.
install(DIRECTORY ${KV_GAME_DIR}/res ${KV_GAME_DIR}/Objects DESTINATION ${KV_INSTALL_DATADIR} COMPONENT data
        PATTERN icons EXCLUDE)

# The AppStream identity, a reverse-DNS name: the studio has no domain of its
# own, so the game is named under the code forge its public pages would
# live on. The metainfo names no URL: there is no home page or screenshot
# host yet, and a link that leads nowhere is worse than none.
set(KV_APP_ID "io.github.kvspace.kvspace" CACHE STRING "AppStream component id")
set(KV_DEVELOPER_ID "io.github.kvspace" CACHE STRING "AppStream developer id")

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

install(FILES dist/kvspace.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${KV_APP_ID}.desktop COMPONENT game)
install(FILES ${KV_DIST_DIR}/${KV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)
install(FILES ${KV_DIST_DIR}/kvspace.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
set(KV_ICON_DIR ${KV_GAME_DIR}/res/gfx/icons)
foreach(size 16 32 48 64 128 256)
  install(FILES ${KV_ICON_DIR}/kvspace-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kvspace.png COMPONENT data)
endforeach()
install(FILES ${KV_ICON_DIR}/kvspace.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT data)
# Each package carries the copyright and the changelog in its own folder.
foreach(component game data)
  set(package kvspace)
  if(component STREQUAL "data")
    set(package kvspace-data)
  endif()
  install(FILES dist/copyright ${KV_DIST_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()
install(FILES dist/kvspace-data.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
        RENAME kvspace-data COMPONENT data)
