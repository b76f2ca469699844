# The build's own tools (tools/buildtools) for a cross build: built with the build machine's
# compiler as a project of their own in ${CMAKE_BINARY_DIR}/host-tools, before the steps that run
# them. Sets K7X_SHARE_RESOURCES and K7X_CHECK_VENDOR_FILES (their paths) and defines the target
# k7x_host_tools for DEPENDS; k7x-resource-bytes is built beside them (scripts/release.sh uses it).
include(ExternalProject)
set(K7X_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
set(K7X_SHARE_RESOURCES ${K7X_HOST_TOOLS_DIR}/k7x-share-resources)
set(K7X_CHECK_VENDOR_FILES ${K7X_HOST_TOOLS_DIR}/k7x-check-vendor-files)
set(K7X_CHECK_VENDOR_FILES_DEPENDS k7x_host_tools ${K7X_CHECK_VENDOR_FILES})
ExternalProject_Add(k7x_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/buildtools
  BINARY_DIR ${K7X_HOST_TOOLS_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${K7X_SHARE_RESOURCES} ${K7X_CHECK_VENDOR_FILES} ${K7X_HOST_TOOLS_DIR}/k7x-resource-bytes)
