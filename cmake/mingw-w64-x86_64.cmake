# Cross build for 64-bit Windows on Debian with MinGW-w64 (posix threads: Qt
# needs std::thread and std::mutex, which the win32-thread compilers lack).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DCMAKE_PREFIX_PATH=/opt/qt6-mingw -DQT_HOST_PATH=/usr ...
# The host's Qt 6.4.2 provides moc, rcc, uic and lrelease (QT_HOST_PATH).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(DATALOGGER_QT_WINDOWS_PREFIX "/opt/qt6-mingw" CACHE PATH "Qt for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/${triple} "${DATALOGGER_QT_WINDOWS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT QT_HOST_PATH)
    set(QT_HOST_PATH /usr CACHE PATH "Qt for the building machine")
endif()
if(NOT QT_HOST_PATH_CMAKE_DIR)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
