# Cross toolchain for 64-bit Windows, mingw-w64: the same sources built so that 64-bit Wine can
# walk them on hosts whose kernel cannot run i386 code. The product itself is the i686 build.
set(K7X_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
