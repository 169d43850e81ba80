# The Debian package of the system install:
#     cmake --build build --target package
# leaves build/tovel_<version>_<architecture>.deb. Beside the installed files
# it carries the machine-readable copyright file and the changelog kept at
# the top of the repository; the test "package" has lintian check it.
set(TOVEL_MAINTAINER "The tovel developers <tovel@brisma.example>")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in copyright @ONLY)
configure_gzipped(${PROJECT_SOURCE_DIR}/changelog changelog COPYONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovel)
set(CPACK_PACKAGE_VENDOR "The tovel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programmable calculator: console engine and formula panel")
# one paragraph line by line, each within the 80 columns of the control file
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "tovel evaluates lines of calculator notation on the console, with"
  "implicit multiplication, user functions, loops, number bases and a"
  "scientific script library of modules."
  "brisma-host shows a calculator panel in which fractions, roots and powers"
  "are written as in print, with a screen keyboard of formulas, and"
  "calculates them with tovel.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TOVEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# the panel's key-group captions are set in Nimbus Sans, which the wider
# fallback font would not fit beside the keys of a small window
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-urw-base35)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TOVEL_HOMEPAGE})
set(CPACK_STRIP_FILES ON)
include(CPack)

add_test(NAME package COMMAND ${PROJECT_SOURCE_DIR}/tests/package/lintian.sh
         ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(package PROPERTIES SKIP_RETURN_CODE 77)
