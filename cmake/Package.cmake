# The Debian package: cpack -G DEB in a build of the two programs (see
# script/package). It installs the programs and the desktop files only; the
# users' data directories (~/.local/share/Mensoly) are never the package's.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mensoly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Mensoly)
set(CPACK_PACKAGE_CONTACT "Mensoly <dev@mensoly.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ration calculation for dogs and cats")
set(CPACK_PACKAGE_DESCRIPTION
    "Mensoly computes and documents feeding rations for dogs and cats in the\n"
    "veterinary practice: every nutrient's daily requirement, the supply of the\n"
    "chosen feedstuffs, the ration's indicators, a recipe for the owner and the\n"
    "patient's weight over its visits. mensoly-cli does the same on the command\n"
    "line. The database lives in ~/.local/share/Mensoly unless --data-dir or the\n"
    "current directory names another one.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_NAME mensoly)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://mensoly.invalid/")
# dpkg-shlibdeps names the libraries the programs link; the platform plugin
# that draws the windows is loaded at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# What every Debian package carries in its documentation folder; a package
# of its own making (no Debian revision) has a plain changelog.
install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mensoly)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/package/changelog)
configure_file(${PROJECT_SOURCE_DIR}/data/package/changelog.in ${changelog} @ONLY)
execute_process(COMMAND gzip -9nf ${changelog} RESULT_VARIABLE gzipped)
if(NOT gzipped EQUAL 0)
    message(FATAL_ERROR "gzip of ${changelog} failed")
endif()
install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mensoly)

include(CPack)
