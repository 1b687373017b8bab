# What is installed, in two layouts, and the packages made of them.
#
# The program folder (the default install and the .tar.gz): the editor, the library beside it,
# the shipped data files, a .desktop file and the icon, all in one folder that can live
# anywhere. The player's files are kept there when the folder is writable.
#
# The system install (component "system", only in the .deb): the editor in bin/, the library
# in the package's private lib/drovantel/, the shipped data in share/drovantel/, the .desktop
# file and the icon where desktops look for them. The player's files go to the per-user folder.

if(DROVANTEL_BUILD_EDITOR AND WIN32)
    # The Windows program folder and its zip: windows-package.cmake, below.
elseif(DROVANTEL_BUILD_EDITOR)
    file(GLOB SHIPPED_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*.csv
                                                   ${PROJECT_SOURCE_DIR}/data/*.VRX)
    install(TARGETS DrovantelEditor Drovantel DrovantelWindow DrovantelDialog
            RUNTIME DESTINATION . COMPONENT folder
            LIBRARY DESTINATION . COMPONENT folder)
    # Installed without the debug information a RelWithDebInfo build carries.
    install(CODE "
        foreach(binary Drovantel libDrovantel.so libDrovantelWindow.so libDrovantelDialog.so)
            execute_process(COMMAND \"${CMAKE_STRIP}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${binary}\"
                            RESULT_VARIABLE stripped)
            if(NOT stripped EQUAL 0)
                message(FATAL_ERROR \"could not strip \${binary}\")
            endif()
        endforeach()" COMPONENT folder)
    # The person file type (*.vrx), for a desktop that is told of it (xdg-mime install).
    install(FILES ${SHIPPED_DATA_FILES} packaging/drovantel.svg packaging/drovantel-mime.xml
            DESTINATION . COMPONENT folder)
    set(DESKTOP_EXEC [[sh -c "exec \\"\\$(dirname \\"\\$0\\")/Drovantel\\" \\"\\$@\\"" %k %f]])
    configure_file(packaging/drovantel.desktop.in folder/drovantel.desktop @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/folder/drovantel.desktop DESTINATION . COMPONENT folder)

    include(GNUInstallDirs)
    install(TARGETS DrovantelEditor
            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT system EXCLUDE_FROM_ALL)
    install(TARGETS Drovantel DrovantelWindow DrovantelDialog
            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/drovantel COMPONENT system EXCLUDE_FROM_ALL)
    # Nothing to look for beside the binaries in the system folders; no debug information.
    install(CODE "
        foreach(binary bin/Drovantel lib/drovantel/libDrovantel.so lib/drovantel/libDrovantelWindow.so
                       lib/drovantel/libDrovantelDialog.so)
            set(installed \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${binary}\")
            file(RPATH_REMOVE FILE \"\${installed}\")
            execute_process(COMMAND \"${CMAKE_STRIP}\" \"\${installed}\" RESULT_VARIABLE stripped)
            if(NOT stripped EQUAL 0)
                message(FATAL_ERROR \"could not strip \${binary}\")
            endif()
        endforeach()" COMPONENT system EXCLUDE_FROM_ALL)
    install(FILES ${SHIPPED_DATA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/drovantel
            COMPONENT system EXCLUDE_FROM_ALL)
    set(DESKTOP_EXEC "Drovantel %f")
    configure_file(packaging/drovantel.desktop.in system/drovantel.desktop @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system/drovantel.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT system EXCLUDE_FROM_ALL)
    install(FILES packaging/drovantel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            COMPONENT system EXCLUDE_FROM_ALL)
    # The person file type (*.vrx), so that file managers offer the editor for it.
    install(FILES packaging/drovantel-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
            RENAME drovantel.xml COMPONENT system EXCLUDE_FROM_ALL)
    install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/drovantel
            COMPONENT system EXCLUDE_FROM_ALL)
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/system)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/system/changelog.gz
        COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > system/changelog.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} VERBATIM)
    add_custom_target(drovantel_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/system/changelog.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/drovantel COMPONENT system EXCLUDE_FROM_ALL)
else()
    # The library on its own (the Windows deliverable): the library, its header and, where the
    # platform has one, the import library.
    install(TARGETS Drovantel
            RUNTIME DESTINATION .
            LIBRARY DESTINATION .
            ARCHIVE DESTINATION lib)
    if(TARGET DrovantelDialog)
        install(TARGETS DrovantelDialog LIBRARY DESTINATION .)
    endif()
    install(FILES library/drovantel.h DESTINATION include)
endif()

set(CPACK_PACKAGE_NAME Drovantel)
set(CPACK_PACKAGE_VENDOR Drovantel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bulk editor for the person file of Tessaril")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_PACKAGE_FILE_NAME "Drovantel-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}")
# The archive unpacks into one folder named like the archive.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR TGZ)
if(DROVANTEL_BUILD_EDITOR AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
    list(APPEND CPACK_GENERATOR DEB)
    # The .deb holds the system install only; the archive the program folder.
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_ALL system)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_DEBIAN_PACKAGE_NAME drovantel)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Drovantel developers <drovantel@users.noreply.invalid>")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    # The summary above is the first line; this is the long description.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Shows every general of a Tessaril new generals file (TPERSON.VRX) in one list,
changes any number of them together (abilities, fame, birth year, hidden
settings, affinities, special skills and marks) and writes the records back
in place.")
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # Loaded at run time, so not found by dpkg-shlibdeps: the window system and SVG plugins,
    # the Japanese font and Qt's own texts in Japanese.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-noto-cjk | fonts-ipafont-gothic, qt6-translations-l10n")
    # CPack has the package call ldconfig for any library under /usr/lib, also for one in a
    # private folder that ldconfig never looks at; those calls are taken out again.
    set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/deb_without_ldconfig.cmake)
endif()
if(DROVANTEL_BUILD_EDITOR AND WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows-package.cmake)
elseif(WIN32)
    # The library for Windows callers: Drovantel-<version>-win32-library.zip (or win64).
    math(EXPR WINDOWS_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME "Drovantel-${PROJECT_VERSION}-win${WINDOWS_BITS}-library")
endif()
include(CPack)
