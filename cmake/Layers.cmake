# One library per source folder, linked in layer order. A folder's files include each other's
# headers as "folder/name.h"; the include path of a layer holds only its own folder and, through
# the libraries it links, the folders of the layers below it, so an upward include does not compile.
#
#   k7x_layer(<target> <folder> [OBJECT] [BELOW <lower layer targets...>])
#
# The folder is exposed through a directory of the build tree that contains a link named after it,
# so that nothing beside it (its parent holds the other layers) is on the path. The sources are the
# folder's *.cpp files, picked up when files are added.
function(k7x_layer target folder)
  cmake_parse_arguments(ARG "OBJECT" "" "BELOW" ${ARGN})
  get_filename_component(folder ${folder} ABSOLUTE)
  get_filename_component(name ${folder} NAME)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(ARG_OBJECT)
    add_library(${target} OBJECT ${sources})
  else()
    add_library(${target} STATIC ${sources})
  endif()
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${ARG_BELOW})
endfunction()
