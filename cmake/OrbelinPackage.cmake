# The Debian package: the three programs, the shipped data, the desktop integration and
# the man pages, installed under CMAKE_INSTALL_PREFIX (/usr for the package). Built by
# scripts/package.sh with CPack from the default preset.
include(GNUInstallDirs)

set(ORBELIN_APP_ID org.orbelin.Orbelin)
set(ORBELIN_MAINTAINER "The Orbelin developers <orbelin@example.org>")
set(ORBELIN_CHANGELOG_DATE "Mon, 07 Dec 2026 00:00:00 +0000")

set(package_dir ${CMAKE_BINARY_DIR}/package)
set(packaging ${PROJECT_SOURCE_DIR}/packaging/linux)

find_program(ORBELIN_GZIP gzip REQUIRED)

# Man pages and the changelog are shipped compressed, without a time stamp, so that
# every build gives the same bytes.
function(orbelin_gzipped input output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${ORBELIN_GZIP} -9nc ${input} > ${output}
    DEPENDS ${input}
    VERBATIM)
endfunction()

set(gzipped)
foreach(page orbelin orbelin-replay orbelin-convert)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.1 ${package_dir}/man/${page}.1 @ONLY)
  orbelin_gzipped(${package_dir}/man/${page}.1 ${package_dir}/man/${page}.1.gz)
  list(APPEND gzipped ${package_dir}/man/${page}.1.gz)
  install(FILES ${package_dir}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${packaging}/changelog.in ${package_dir}/changelog @ONLY)
orbelin_gzipped(${package_dir}/changelog ${package_dir}/changelog.gz)
list(APPEND gzipped ${package_dir}/changelog.gz)
configure_file(${packaging}/${ORBELIN_APP_ID}.metainfo.xml.in ${package_dir}/${ORBELIN_APP_ID}.metainfo.xml @ONLY)

# The icons are drawn by the program's own icon code, in the theme's sizes.
add_executable(orbelin-make-icons ${PROJECT_SOURCE_DIR}/src/ui/shell/MakeAppIcons.cpp)
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
target_include_directories(orbelin-make-icons PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(orbelin-make-icons PRIVATE orbelin_ui_shell Qt6::Gui Qt6::Svg)
orbelin_warnings(orbelin-make-icons)
set(icon_stamp ${package_dir}/icons.stamp)
add_custom_command(
  OUTPUT ${icon_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_dir}/hicolor
  COMMAND orbelin-make-icons ${package_dir}/hicolor ${ORBELIN_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${icon_stamp}
  DEPENDS orbelin-make-icons
  COMMENT "Drawing the application icons"
  VERBATIM)
add_custom_target(orbelin_package_files ALL DEPENDS ${gzipped} ${icon_stamp})

install(TARGETS orbelin orbelin-replay orbelin-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/QELT.PDF ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/qelt.html
  DESTINATION ${CMAKE_INSTALL_DATADIR}/orbelin)
install(FILES ${packaging}/copyright ${PROJECT_SOURCE_DIR}/data/NOTICE ${package_dir}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orbelin)
install(FILES ${packaging}/${ORBELIN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${package_dir}/${ORBELIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${package_dir}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ORBELIN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "barcode reader on a serial port as a keyboard")
# CPack puts the summary in front as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orbelin opens a serial port, frames the records that a barcode reader sends,
converts them (GS1-128 Application Identifiers, Japanese book codes,
substitution and byte edits, case and width) and types the result into the
focused application as if a user had typed it. It can also append every record
to a text file. Its user interface is Japanese.
.
The package also holds orbelin-replay, which runs the engine on a scripted byte
stream, and orbelin-convert, which prints the key string for each input line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so shlibdeps cannot see them: Qt's platform plugins (xcb) and the
# font the Japanese windows are drawn with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)
