# The 64-bit twin of the product, built from the same sources and run here
# under the 64-bit Wine loader.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZV_TARGET win64)
set(ZV_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
