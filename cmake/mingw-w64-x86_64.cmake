# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, for std::thread and friends). The programs link statically, so each
# .exe needs no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KIT_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KIT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KIT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KIT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No link time in the .exe header: the same source gives the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")

# Tests of the .exe files run under Wine.
find_program(KIT_WINE NAMES wine wine64)
if(KIT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KIT_WINE})
endif()
