# The Debian package: `cpack -G DEB` in the build folder. The libraries the
# game links are found by dpkg-shlibdeps; the fonts it draws with are named.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvspace)
set(CPACK_PACKAGE_VENDOR "The kvspace studio")
set(CPACK_PACKAGE_CONTACT "The kvspace studio <studio@kvspace.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "space trading and combat game")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KV_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-terminus, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "kvspace is a single-player space trading and combat game. You trade twelve
kinds of goods between the star systems of a generated galaxy, turn the
galaxy on a three-dimensional star map, hyperjump as far as your fuel
reaches, and may be ambushed on arrival and thrown into a real-time battle
among asteroids.")
include(CPack)
