# `cmake --install` lays out an installation that can live under any prefix and be moved:
# programs in bin/, the server library with its template folder and the shared libraries
# under lib/snippo/, found through $ORIGIN; desktop files, icons, manual pages under share/.
include(GNUInstallDirs)

set(SNIPPO_INSTALL_LIBDIR lib/snippo)
set(SNIPPO_APP_ID com.quillon.TessalyTool)

set(snippo_programs TessalyTool snippo-regsvr snippo-call snippo-render snippo-publish)
set_target_properties(${snippo_programs} PROPERTIES INSTALL_RPATH "$ORIGIN/../${SNIPPO_INSTALL_LIBDIR}")
set_target_properties(snippo_platform snippo_help SnippoGlimButton PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS ${snippo_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS snippo_platform snippo_help SnippoGlimButton
        LIBRARY DESTINATION ${SNIPPO_INSTALL_LIBDIR} NAMELINK_SKIP)
# The template folder: what the server copies beside every widget file it writes.
install(FILES ${CMAKE_SOURCE_DIR}/widget/server/support/qlnbtn.class ${CMAKE_SOURCE_DIR}/web/qlnbtn.js
        DESTINATION ${SNIPPO_INSTALL_LIBDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/widget/server/support/Sample DESTINATION ${SNIPPO_INSTALL_LIBDIR})

add_subdirectory(${CMAKE_SOURCE_DIR}/docs/man ${CMAKE_BINARY_DIR}/docs/man)
add_subdirectory(${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/data)

# What Debian asks of every package, and harmless elsewhere.
set(SNIPPO_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/tessalytool)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND sh -c "gzip -9n < ${CMAKE_CURRENT_LIST_DIR}/changelog > ${CMAKE_BINARY_DIR}/packaging/changelog.gz"
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${SNIPPO_DOCDIR})
include(${CMAKE_CURRENT_LIST_DIR}/cpack.cmake)
