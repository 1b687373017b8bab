# The Windows program folder, zipped: Drovantel-<version>-win64.zip holds one folder,
# Drovantel/, with the program, the library, the shipped data files and exactly the Qt and
# compiler runtime DLLs they load. Unzipped anywhere, Drovantel.exe runs with nothing else
# installed. Included by packaging.cmake for Windows builds of the editor.

set(WINDOWS_FOLDER Drovantel)
file(GLOB SHIPPED_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*.csv
                                               ${PROJECT_SOURCE_DIR}/data/*.VRX)
# The import library is for C programs built against the library, not for players.
install(TARGETS DrovantelEditor Drovantel DrovantelWindow RUNTIME DESTINATION ${WINDOWS_FOLDER}
        ARCHIVE DESTINATION lib COMPONENT import_library EXCLUDE_FROM_ALL)
install(FILES ${SHIPPED_DATA_FILES} DESTINATION ${WINDOWS_FOLDER})

install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION ${WINDOWS_FOLDER})
# Qt looks for plugins in the program's folder too, so they need no qt.conf entry.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
        DESTINATION ${WINDOWS_FOLDER}/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${WINDOWS_FOLDER}/styles)
# The Japanese texts of Qt's own buttons: the same file on every system.
find_file(QTBASE_JA_TRANSLATION qtbase_ja.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
install(FILES ${QTBASE_JA_TRANSLATION} DESTINATION ${WINDOWS_FOLDER}/translations)
# Without it Qt would look for its translations beside its own build's prefix.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/windows/qt.conf "[Paths]\nPrefix = .\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/qt.conf DESTINATION ${WINDOWS_FOLDER})

# The runtime of the POSIX-thread compilers, which Qt and the editor share; its exception
# handling differs between 32-bit (dw2) and 64-bit (seh) Windows.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(WINDOWS_BITS 64)
    set(GCC_RUNTIME libgcc_s_seh-1.dll)
else()
    set(WINDOWS_BITS 32)
    set(GCC_RUNTIME libgcc_s_dw2-1.dll)
endif()
foreach(runtime ${GCC_RUNTIME} libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${runtime}")
    endif()
    get_filename_component(runtime_path ${runtime_path} REALPATH)
    install(FILES ${runtime_path} DESTINATION ${WINDOWS_FOLDER})
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "Drovantel-${PROJECT_VERSION}-win${WINDOWS_BITS}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)  # the program and the library

# Qt's and the compiler's DLLs come with their symbol tables, which players never need.
install(CODE "
    file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${WINDOWS_FOLDER}/*.dll\")
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \${dlls} COMMAND_ERROR_IS_FATAL ANY)")
