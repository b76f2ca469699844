# Linux build: compiles a resource script with windres into a .res file, exactly as the Windows
# build does, and makes a source file that links that blob between winemu_res_begin and
# winemu_res_end, where winemu's resource functions read it.
#
#   k7x_embedded_res(OUT_SOURCE <rc file> INCLUDES <dirs...> DEPENDS <files...>)
function(k7x_embedded_res OUT_SOURCE RC_FILE)
  cmake_parse_arguments(ARG "" "" "INCLUDES;DEPENDS" ${ARGN})
  get_filename_component(name ${RC_FILE} NAME_WE)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${name}.res)
  set(src ${CMAKE_CURRENT_BINARY_DIR}/${name}_res.cpp)
  set(flags)
  foreach(dir ${ARG_INCLUDES})
    list(APPEND flags -I ${dir})
  endforeach()
  add_custom_command(
    OUTPUT ${res}
    COMMAND ${K7X_WINDRES} -O res ${flags} -i ${RC_FILE} -o ${res}
    DEPENDS ${RC_FILE} ${ARG_DEPENDS}
    COMMENT "Compiling resources ${name}.rc"
    VERBATIM)
  file(WRITE ${src}.in
    "// Generated: the resources of ${name}.rc.\n"
    "__asm__(\".section .rodata\\n\"\n"
    "        \".global winemu_res_begin\\n\"\n"
    "        \".global winemu_res_end\\n\"\n"
    "        \".balign 16\\n\"\n"
    "        \"winemu_res_begin:\\n\"\n"
    "        \".incbin \\\"${res}\\\"\\n\"\n"
    "        \"winemu_res_end:\\n\"\n"
    "        \".previous\\n\");\n")
  configure_file(${src}.in ${src} COPYONLY)
  set_source_files_properties(${src} PROPERTIES OBJECT_DEPENDS ${res})
  set(${OUT_SOURCE} ${src} PARENT_SCOPE)
endfunction()
