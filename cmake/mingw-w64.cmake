# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (x86_64-w64-mingw32).
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# Programs are linked statically, so they run under wine (or on Windows) on their own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALLY_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix thread model has the whole of the standard thread library (std::thread);
# the win32 one of GCC 12 does not.
find_program(CMAKE_C_COMPILER NAMES ${TALLY_MINGW_TRIPLE}-gcc-posix ${TALLY_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TALLY_MINGW_TRIPLE}-g++-posix ${TALLY_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TALLY_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALLY_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# wxWidgets for Windows (scripts/build-windows-wx) comes with a wx-config, named by
# -DTALLY_WX_CONFIG=...; find_package(wxWidgets) then reads it through cmake/wx-msw.
if(TALLY_WX_CONFIG)
  set(wxWidgets_DIR ${CMAKE_CURRENT_LIST_DIR}/wx-msw)
  set(CMAKE_FIND_PACKAGE_PREFER_CONFIG ON)
endif()

# ctest runs the programs under wine when it is there.
find_program(TALLY_WINE NAMES wine)
if(TALLY_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TALLY_WINE})
endif()
