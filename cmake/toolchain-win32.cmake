# The shipped product: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZV_TARGET win32)
set(ZV_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
