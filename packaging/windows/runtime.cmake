# What the Windows program needs beside it at run time: Qt's DLLs and plugins and the MinGW runtime.
# The build copies them next to the programs it makes (all in bin/), so that the program, the probe
# and the tests run under wine from the build folder exactly as from an installed folder; the release
# installs the same files (packaging/windows/CMakeLists.txt).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# What the release makes of it, and what the installer test installs.
set(SHUJIAN_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/shujian-${PROJECT_VERSION}-windows-x64-setup.exe)

# Each entry: a file and the folder beside the program it goes into.
set(SHUJIAN_WINDOWS_RUNTIME
    "$<TARGET_FILE:Qt6::Core>|." "$<TARGET_FILE:Qt6::Gui>|." "$<TARGET_FILE:Qt6::Widgets>|."
    "$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>|platforms"
    "$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>|styles"
    "$<TARGET_FILE:Qt6::QGifPlugin>|imageformats" "$<TARGET_FILE:Qt6::QICOPlugin>|imageformats")

# The compiler's own runtime, which Qt's DLLs link too.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
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

set(commands)
foreach(entry IN LISTS SHUJIAN_WINDOWS_RUNTIME)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 folder)
    list(APPEND commands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
endforeach()
add_custom_target(windows-runtime ALL ${commands} VERBATIM)
