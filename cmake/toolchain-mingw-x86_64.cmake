# 64-bit Windows DLLs (PE32+), cross-built with Debian's MinGW-w64
# (g++-mingw-w64-x86-64-posix); the tests run under Wine.
set(VELM_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
