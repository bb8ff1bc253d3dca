# The program as a desktop installs it: the executable, its desktop entry, its icon in the
# hicolor theme, its AppStream metainfo and the MIME type of its problem files, all in the
# install component "Program", which is also the whole of the Debian package that `cpack -G DEB`
# builds.
if(NOT TARGET tablitor)
  return()
endif()

# --version prints the version of project(), the same the package carries.
target_compile_definitions(tablitor PRIVATE TABLITOR_VERSION="${PROJECT_VERSION}")

# The sanitizer build's program is for running under the sanitizers, not for installing.
if(TABLITOR_SANITIZE)
  return()
endif()

include(GNUInstallDirs)

# One name for the desktop entry, the metainfo and the icon; ui/tutor_app.cpp gives it to Qt.
set(TABLITOR_APP_ID io.github.tablitor.tablitor)
set(TABLITOR_ICON_SIZES 16 32 48 64 128 256)

# The icon files are drawn by the program's own icon code, so they cannot drift from the icon
# its windows show.
add_executable(tablitor_render_icons ${PROJECT_SOURCE_DIR}/data/render_icons.cpp ${PROJECT_SOURCE_DIR}/ui/app_icon.cpp)
target_include_directories(tablitor_render_icons PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(tablitor_render_icons PRIVATE Qt6::Gui)

set(icon_theme ${PROJECT_BINARY_DIR}/data/icons/hicolor)
set(icon_files)
foreach(size IN LISTS TABLITOR_ICON_SIZES)
  list(APPEND icon_files ${icon_theme}/${size}x${size}/apps/${TABLITOR_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_files}
                   COMMAND tablitor_render_icons ${icon_theme} ${TABLITOR_APP_ID} ${TABLITOR_ICON_SIZES}
                   DEPENDS tablitor_render_icons
                   COMMENT "Drawing the program's icon for the desktop"
                   VERBATIM)
add_custom_target(tablitor_icons DEPENDS ${icon_files})
# Building the program is enough to install it.
add_dependencies(tablitor tablitor_icons)

install(TARGETS tablitor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Program)
install(FILES ${PROJECT_SOURCE_DIR}/data/${TABLITOR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Program)
install(FILES ${PROJECT_SOURCE_DIR}/data/${TABLITOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Program)
install(DIRECTORY ${icon_theme} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons COMPONENT Program)
# The type of .lp files, which the desktop entry opens. A Debian package's trigger rebuilds the
# desktop's MIME database; a plain install into the system (no DESTDIR) rebuilds it here.
install(FILES ${PROJECT_SOURCE_DIR}/data/${TABLITOR_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${TABLITOR_APP_ID}.xml COMPONENT Program)
set(installed_data "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}")
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime)
      execute_process(COMMAND \${update_mime} ${installed_data}/mime)
    endif()
    if(update_desktop)
      execute_process(COMMAND \${update_desktop} ${installed_data}/applications)
    endif()
  endif()" COMPONENT Program)

# The Debian package. Its library dependencies are read from the executable by dpkg-shlibdeps
# (dpkg-dev); the rest are what Qt and the dialogs need at run time but do not link.
set(TABLITOR_MAINTAINER "Tablitor maintainers <maintainers@tablitor.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_NAME tablitor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TABLITOR_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tutor for the simplex method of linear programming")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Таблитор takes a student through the simplex method table by table: the student enters a\n"
       "canonical linear programming problem, chooses the basis, computes the index row, chooses\n"
       "the key column and element and computes the new table, and every answer is judged in\n"
       "exact fractions. The tables of a run can be written to a spreadsheet. The interface is in\n"
       "Russian.")
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Program;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The xcb window-system plugin is only recommended by Qt; the dialogs are laid out for the
# metrics of the Liberation fonts; the sound server's client and the spreadsheet library are
# opened at their first use, so the executable does not name them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, libpulse0, libxlsxwriter4")
# Russian texts on Qt's standard buttons; the desktop's opener for the spreadsheet report.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc")
include(CPack)
