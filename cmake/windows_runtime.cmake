# What the Windows program needs beside it at run time: Qt's DLLs and plugins and the MinGW runtime.
# The build copies them next to the programs it makes (all in bin/), so that the program, the probe
# and the tests run under wine from the build folder exactly as from an installed folder; the same
# files are installed beside the program, which is what the release ships (packaging/windows/).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# What the release makes of it: the installer, which the installer test installs, and the zip.
set(SHUJIAN_WINDOWS_RELEASE shujian-${PROJECT_VERSION}-windows-x64)
set(SHUJIAN_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/${SHUJIAN_WINDOWS_RELEASE}-setup.exe)
set(SHUJIAN_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${SHUJIAN_WINDOWS_RELEASE}.zip)

# Each entry: a file and the folder beside the program it goes into.
set(SHUJIAN_WINDOWS_RUNTIME
    "$<TARGET_FILE:Qt6::Core>|." "$<TARGET_FILE:Qt6::Gui>|." "$<TARGET_FILE:Qt6::Widgets>|."
    "$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>|platforms"
    "$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>|styles"
    "$<TARGET_FILE:Qt6::QGifPlugin>|imageformats" "$<TARGET_FILE:Qt6::QICOPlugin>|imageformats")

# The compiler's own runtime, which Qt's DLLs link too. Debian ships these DLLs with their symbols,
# which the program needs none of: an install with --strip (the release's) strips them.
set(mingw_dlls libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
foreach(dll IN LISTS mingw_dlls)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
    list(APPEND SHUJIAN_WINDOWS_RUNTIME "${path}|.")
endforeach()

# Qt's Chinese buttons and menus (确定, 取消, 复制 …): the translation is the same file on every
# platform, so Debian's copy serves.
find_file(SHUJIAN_QT_ZH_CN qtbase_zh_CN.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
list(APPEND SHUJIAN_WINDOWS_RUNTIME "${SHUJIAN_QT_ZH_CN}|translations")

# Copied into bin/ and installed; SHUJIAN_WINDOWS_RUNTIME_FILES lists the files alone.
set(commands)
set(SHUJIAN_WINDOWS_RUNTIME_FILES)
foreach(entry IN LISTS SHUJIAN_WINDOWS_RUNTIME)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 folder)
    list(APPEND commands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
    list(APPEND SHUJIAN_WINDOWS_RUNTIME_FILES ${file})
    install(FILES ${file} DESTINATION ${folder})
endforeach()
add_custom_target(windows-runtime ALL ${commands} VERBATIM)
foreach(dll IN LISTS mingw_dlls)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${dll}\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endforeach()
