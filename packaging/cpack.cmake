# The Debian package: `cpack -G DEB` in the build folder. Its maintainer scripts register the
# widget server in the machine-wide registry and take the registration away on removal;
# its dependencies come from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessalytool)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quillon)
set(CPACK_PACKAGE_CONTACT "Quillon <packages@quillon.example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "menu-button widgets for web pages, built without code")
# The synopsis comes from the summary above; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "TessalyTool builds one interactive menu-button widget without writing code:
a panel of buttons, each with a hint and drop-down menus nested to any depth,
drawn per state with gradients, bevel borders, fonts, images and sounds. It
hands back the HTML that embeds the widget and the files the page needs.

The package holds the program, the widget server (registered for every
account), the web runtime and the command-line tools snippo-publish,
snippo-render, snippo-call and snippo-regsvr.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillon.example.com/tessalytool/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin ${CMAKE_BINARY_DIR}/lib/snippo)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/postinst ${CMAKE_CURRENT_LIST_DIR}/prerm ${CMAKE_CURRENT_LIST_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES ON)
include(CPack)
