# Cross toolchain for the Windows product: 32-bit Windows, mingw-w64.
set(K7X_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
