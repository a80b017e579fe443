# The Debian packages: `cpack -G DEB` in the build folder makes two, kvspace
# (the executable, for this architecture) and kvspace-data (everything else
# it loads, for all architectures), which the game's package depends on at
# the same version. The libraries the game links are found by
# dpkg-shlibdeps; the fonts it draws with are named. Each description's
# first line is its package's synopsis.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvspace)
set(CPACK_PACKAGE_VENDOR "The kvspace studio")
set(CPACK_PACKAGE_CONTACT "The kvspace studio <maintainers@users.noreply.c-seed-1e6bf7bb.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game data)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_GAME_PACKAGE_NAME kvspace)
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "kvspace-data (= ${PROJECT_VERSION}), fonts-terminus, fonts-dejavu-core")
set(CPACK_DEBIAN_GAME_DESCRIPTION "space trading and combat game
kvspace is a single-player space trading and combat game. You trade twelve
kinds of goods between the star systems of a generated galaxy, turn the
galaxy on a three-dimensional star map, hyperjump as far as your fuel
reaches, and may be ambushed on arrival and thrown into a real-time battle
among asteroids.")

set(CPACK_DEBIAN_DATA_PACKAGE_NAME kvspace-data)
set(CPACK_DEBIAN_DATA_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DATA_DESCRIPTION "space trading and combat game - data files
kvspace is a single-player space trading and combat game. This package holds
its pictures, music, sounds, equipment catalogues and icons, which are the
same on every architecture.")
include(CPack)
