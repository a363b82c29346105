# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which
# std::thread and Qt need). The Qt for Windows and the program are both built with it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

# A PE file carries its link time unless told not to; without it two builds give the same bytes.
foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_INIT -Wl,--no-insert-timestamp)
endforeach()

# The Qt built for Windows, where packaging/windows/build-qt.sh installs it.
if(NOT SHUJIAN_WINDOWS_QT)
    execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../packaging/windows/build-qt.sh --prefix
                    OUTPUT_VARIABLE SHUJIAN_WINDOWS_QT OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
endif()

# Libraries, headers and CMake packages come from the MinGW sysroot and from the Qt built for
# Windows, never from the build machine; programs run during the build are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw} ${SHUJIAN_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's moc, rcc and uic for a Windows Qt are the build machine's own, of the same version.
execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH
                OUTPUT_VARIABLE build_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${build_multiarch}/cmake)
