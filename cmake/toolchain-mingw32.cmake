# toolchain-mingw32.cmake - cross builds for 32-bit Windows with Debian's MinGW-w64 (i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
