# Shared part of the MinGW-w64 toolchain files; VELM_MINGW_TRIPLET names the
# architecture. The posix-thread compilers give std::thread and std::mutex,
# which the tests use. Everything is linked statically against the GCC and
# C++ runtimes, so that no MinGW runtime DLL has to travel with the
# libraries.
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${VELM_MINGW_TRIPLET})

set(CMAKE_C_COMPILER ${VELM_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELM_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELM_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELM_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(velm_static_runtime "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT ${velm_static_runtime})
set(CMAKE_SHARED_LINKER_FLAGS_INIT ${velm_static_runtime})
set(CMAKE_MODULE_LINKER_FLAGS_INIT ${velm_static_runtime})
