# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which
# std::thread and Qt need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

# Libraries, headers and CMake packages come from the MinGW sysroot and from the Qt built for
# Windows, never from the build machine; programs run during the build are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
if(SHUJIAN_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH ${SHUJIAN_WINDOWS_QT})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's moc, rcc and uic for a Windows Qt are the build machine's own, of the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
