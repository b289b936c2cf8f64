# Cross-compiling plumora for 64-bit Windows with Debian's mingw-w64 (the
# posix thread model, so that std::thread and std::mutex exist). Everything
# links statically: the program and its libraries need no runtime DLLs of
# the compiler's (libstdc++, libgcc, libwinpthread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PLM_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${PLM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PLM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PLM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
