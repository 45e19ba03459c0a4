# Installing the program the way a Linux desktop finds it, and packing that
# installation into a Debian package (`cpack -G DEB` in the build folder).
#
# Included from the top-level CMakeLists.txt once the target Lantor exists.
# Everything here is named after one reverse-domain id, so the desktop entry,
# the metainfo, the icons and the program's own desktop file name
# (QGuiApplication::setDesktopFileName) agree with each other.

include(GNUInstallDirs)

set(LANTOR_APP_ID "hu.lantorversei.Lantor")
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH _lantor_source_root)
set(_lantor_packaging "${_lantor_source_root}/packaging")

# The program, and beside it the launcher the menu entry runs: it finds the
# program next to itself, so the pair works under any prefix.
install(TARGETS Lantor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS "${_lantor_packaging}/lantor-launcher" DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES "${_lantor_packaging}/${LANTOR_APP_ID}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${_lantor_packaging}/${LANTOR_APP_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 32 48 64 128 256)
  install(FILES "${_lantor_source_root}/assets/icon/lantor-${size}.png"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${LANTOR_APP_ID}.png)
endforeach()
install(FILES "${_lantor_source_root}/assets/icon/lantor.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${LANTOR_APP_ID}.svg)

# Manual pages go compressed, as Debian keeps them; -n leaves the name and
# time out of the header so the same page packs to the same bytes.
find_program(LANTOR_GZIP gzip REQUIRED)
set(_lantor_man_pages "")
foreach(page IN ITEMS "Lantor.1;man/man1" "Lantor.hu.1;man/hu/man1")
  list(GET page 0 source)
  list(GET page 1 folder)
  set(packed "${CMAKE_CURRENT_BINARY_DIR}/packaging/${folder}/Lantor.1.gz")
  add_custom_command(OUTPUT "${packed}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/packaging/${folder}"
    COMMAND ${LANTOR_GZIP} -9nc "${_lantor_packaging}/${source}" > "${packed}"
    DEPENDS "${_lantor_packaging}/${source}"
    COMMENT "Compressing the manual page ${source}"
    VERBATIM)
  install(FILES "${packed}" DESTINATION ${CMAKE_INSTALL_DATADIR}/${folder})
  list(APPEND _lantor_man_pages "${packed}")
endforeach()
add_custom_target(lantor_man_pages ALL DEPENDS ${_lantor_man_pages})

# The Debian package. Its library dependencies come from dpkg-shlibdeps (the
# X11 platform plugin comes with libqt6gui6). Besides them, a program that
# does not carry the toolkit's Hungarian translation itself (LANTOR_QT_HUNGARIAN,
# compiled in) loads it from qt6-translations-l10n: it gives the message boxes
# their "Igen" and "Nem". Recommended: the toolkit's input method plugins,
# without which dead keys and the compose key type no accented letter into the
# search field, and xdg-open, which opens the About page's links where the
# desktop has no opener of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lantor)
set(CPACK_PACKAGE_VENDOR "Dorvan")
set(CPACK_PACKAGE_CONTACT "Dorvan <dorvan@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader for the complete poems of Lantor")
set(CPACK_PACKAGE_DESCRIPTION "A desktop reader for the complete poems of the Hungarian poet Lantor. The
anthology of 525 poems travels inside the program: it lists them by title and
date, searches titles, dates and texts, and shows a poem in a viewer window.
Its whole interface is Hungarian.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(NOT LANTOR_QT_HUNGARIAN)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, xdg-utils")
set(CPACK_STRIP_FILES ON)
# Without dpkg-shlibdeps cpack would still make a package, one depending on
# none of the libraries the program links to: refuse that at cpack time.
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_BINARY_DIR}/LantorCPackChecks.cmake")
file(CONFIGURE OUTPUT "${CPACK_PROJECT_CONFIG_FILE}" @ONLY CONTENT [[
if(CPACK_GENERATOR STREQUAL "DEB")
  cmake_policy(PUSH)
  cmake_policy(SET CMP0109 NEW)  # only a file that can be run counts, as for cpack itself
  find_program(LANTOR_SHLIBDEPS dpkg-shlibdeps)
  cmake_policy(POP)
  if(NOT LANTOR_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing (apt-get install dpkg-dev): without it the package "
                        "would depend on none of the libraries the program links to")
  endif()
endif()
]])
include(CPack)
