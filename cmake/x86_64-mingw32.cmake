# Cross-compiling for 64-bit Windows: the suites' build on a machine that runs no 32-bit programs (the
# shipped module is the 32-bit build's).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw32.cmake)
