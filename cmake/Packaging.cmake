# Installed files beyond the programs, and the packages: .deb and source tarball on Linux, zip and NSIS
# installer on Windows. `package` makes them all; it stays out of `all`.
#
# The desktop entry, icons and AppStream file share one id, the reverse of the homepage's host name. The
# homepage is a placeholder until the project has one; the screenshots' URLs are made from it.
set(RW_APP_ID org.example.routewright)
set(RW_HOMEPAGE https://routewright.example.org)
set(RW_VENDOR "The Routewright developers")
set(RW_CONTACT "${RW_VENDOR} <routewright@example.org>")
set(RW_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

set(CPACK_PACKAGE_NAME routewright)
set(CPACK_PACKAGE_VENDOR ${RW_VENDOR})
set(CPACK_PACKAGE_CONTACT ${RW_CONTACT})
set(CPACK_PACKAGE_HOMEPAGE_URL ${RW_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "race course editor for the driving game Vortane")
set(CPACK_STRIP_FILES ON)
# Whatever the umask of the machine that builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME routewright-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  find_program(RW_MAKENSIS makensis)
  if(RW_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
  else()
    message(STATUS "makensis not found: the package target makes the zip only")
  endif()
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Routewright)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  # A 64-bit installer for 64-bit programs: it also runs where only a 64-bit Windows (or Wine) is.
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")
  set(CPACK_NSIS_PACKAGE_NAME Routewright)
  set(CPACK_NSIS_DISPLAY_NAME Routewright)
  set(CPACK_NSIS_URL_INFO_ABOUT ${RW_HOMEPAGE})
  set(CPACK_NSIS_CONTACT ${RW_CONTACT})
  # The programs sit at the top of the installed folder, as in the zip.
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
  set(CPACK_PACKAGE_EXECUTABLES routewright Routewright)
  set(CPACK_NSIS_INSTALLED_ICON_NAME routewright.exe)
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/src/res/AppIcon.ico)
  set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/src/res/AppIcon.ico)
  # The editor asks for the game folder itself when it starts outside one.
  set(CPACK_NSIS_MUI_FINISHPAGE_RUN routewright.exe)
  # No licence has been chosen; without this the installer would show CMake's own.
  set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
  include(CPack)
  return()
endif()

# The newest changelog entry names this release and its date; the AppStream file repeats both.
file(STRINGS ${RW_PACKAGING_DIR}/linux/changelog rw_changelog)
list(GET rw_changelog 0 rw_changelog_head)
if(NOT rw_changelog_head MATCHES "^routewright \\(${PROJECT_VERSION}\\)")
  message(FATAL_ERROR "packaging/linux/changelog has no entry for version ${PROJECT_VERSION} at its top")
endif()
list(FILTER rw_changelog INCLUDE REGEX "^ -- ")
list(GET rw_changelog 0 rw_changelog_trailer)
if(NOT rw_changelog_trailer MATCHES ", ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/linux/changelog: no date in '${rw_changelog_trailer}'")
endif()
set(rw_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND rw_months ${CMAKE_MATCH_2} rw_month)
math(EXPR rw_month "${rw_month} + 1")
string(LENGTH "${CMAKE_MATCH_1}" rw_day_digits)
set(rw_day ${CMAKE_MATCH_1})
if(rw_day_digits EQUAL 1)
  set(rw_day 0${rw_day})
endif()
if(rw_month LESS 10)
  set(rw_month 0${rw_month})
endif()
set(RW_RELEASE_DATE ${CMAKE_MATCH_3}-${rw_month}-${rw_day})

set(rw_out ${PROJECT_BINARY_DIR}/packaging)
set(rw_docdir ${CMAKE_INSTALL_DATADIR}/doc/routewright)
configure_file(${RW_PACKAGING_DIR}/linux/routewright.desktop.in ${rw_out}/${RW_APP_ID}.desktop @ONLY)
configure_file(${RW_PACKAGING_DIR}/linux/routewright.metainfo.xml.in ${rw_out}/${RW_APP_ID}.metainfo.xml @ONLY)
install(FILES ${rw_out}/${RW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${rw_out}/${RW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 64 128 256)
  install(FILES ${RW_PACKAGING_DIR}/linux/icons/${size}x${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${RW_APP_ID}.png)
endforeach()
install(FILES ${RW_PACKAGING_DIR}/linux/copyright DESTINATION ${rw_docdir})

# Generated with the programs, so that an install needs no tool beyond CMake: the compressed changelog and a
# manual page per program, written by help2man from its --help and --version so they never drift apart.
set(rw_generated ${rw_out}/changelog.gz)
add_custom_command(
  OUTPUT ${rw_out}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${RW_PACKAGING_DIR}/linux/changelog ${rw_out}/changelog
  COMMAND gzip -9nf ${rw_out}/changelog
  DEPENDS ${RW_PACKAGING_DIR}/linux/changelog
  VERBATIM)
install(FILES ${rw_out}/changelog.gz DESTINATION ${rw_docdir})

find_program(RW_HELP2MAN help2man)
set(rw_man_routewright "edit checkpoint races for Vortane")
set(rw_man_routewright-cli "build, check and render Vortane races from the command line")
foreach(program routewright routewright-cli)
  if(NOT TARGET ${program})
    continue()
  endif()
  if(NOT RW_HELP2MAN)
    message(STATUS "help2man not found: no manual page for ${program}")
    continue()
  endif()
  set(page ${rw_out}/${program}.1)
  # The editor answers --help before it opens a window; offscreen spares it a display all the same. In a
  # sanitizer build the leak report at exit would land in the page: the sanitizer tests look for leaks.
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            ${RW_HELP2MAN} --no-info --no-discard-stderr --name=${rw_man_${program}} --output=${page}
            $<TARGET_FILE:${program}>
    COMMAND gzip -9nf ${page}
    DEPENDS ${program}
    COMMENT "Writing the manual page of ${program}"
    VERBATIM)
  list(APPEND rw_generated ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(rw_packaging_files ALL DEPENDS ${rw_generated})

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not games: that section expects its programs in /usr/games, and this one is a tool beside the game.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The .deb's long description, after the summary line.
set(CPACK_PACKAGE_DESCRIPTION "Routewright lays out checkpoint races for Vortane: pick a city from the game
folder, click road tiles on its map to place the checkpoints, watch the route
between them appear, set the time limit, laps and racers, and save a scenario
file that the game plays.

The package holds the editor, routewright, and its command-line companion,
routewright-cli, which builds, checks and renders races without a window.")

# The source tarball comes from the same target: the .deb's run ends by making it.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME routewright-${PROJECT_VERSION})
string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" rw_source_re "${PROJECT_SOURCE_DIR}")
set(CPACK_SOURCE_IGNORE_FILES "^${rw_source_re}/\\.git(/|$)" "^${rw_source_re}/build(-[^/]*)?/"
    "^${rw_source_re}/demo/" "^${rw_source_re}/\\.cache/" "\\.user$" "~$")
configure_file(${PROJECT_SOURCE_DIR}/cmake/PackageSource.cmake.in ${rw_out}/PackageSource.cmake @ONLY)
set(CPACK_POST_BUILD_SCRIPTS ${rw_out}/PackageSource.cmake)
include(CPack)
