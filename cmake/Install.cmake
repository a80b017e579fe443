# The installed layout (GNUInstallDirs): the executable in bin/ and the data
# in share/kvspace/ below the prefix; `cmake --install build --prefix P` gives
# a game that runs from anywhere.
install(TARGETS kvspace RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${KV_GAME_DIR}/res ${KV_GAME_DIR}/Objects DESTINATION ${KV_INSTALL_DATADIR})
