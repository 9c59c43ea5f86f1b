# toolchain-mingw.cmake - what both MinGW-w64 cross builds share; a width's toolchain file sets
# CMAKE_SYSTEM_PROCESSOR and MINGW_TRIPLET, then includes this.
# The win32 thread model needs no winpthread, so with the runtime linked statically every
# file we make imports Windows system DLLs only (and, for the plug-ins, the host's own).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER  ${MINGW_TRIPLET}-windres)
set(MINGW_DLLTOOL      ${MINGW_TRIPLET}-dlltool)
set(MINGW_OBJDUMP      ${MINGW_TRIPLET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No libstdc++-6.dll, libgcc_s_*.dll or libwinpthread-1.dll at run time: neither MATLAB nor Wine
# has them.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
