# 32-bit Windows DLLs (PE32), cross-built with Debian's MinGW-w64
# (g++-mingw-w64-i686-posix); the tests run under Wine with wine32.
set(VELM_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
