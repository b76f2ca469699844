# The embedded payload: OWNER_DATA resources built from src/payload/manifest.txt.
#
#   include(Payload)
#   k7x_payload(<rc_var> <files_var> [PROGRAM <file> <target>]...)
#
# Reads the manifest at configure time and arranges that the build fills
# ${K7X_PAYLOAD_OUT_DIR} (${CMAKE_BINARY_DIR}/payload) with
#   - every payload FILE of the manifest: authored files copied from
#     src/payload/files/, placeholders generated with their exact size and
#     a header naming file, variant and ids (cmake/payload_generate.cmake);
#     a FILE of kind "program" is the executable of the target that a
#     PROGRAM argument names for it, padded with zero bytes after its image
#     to the manifest's size (the build fails when the program is larger);
#     without such an argument (a build that cannot make the program) it is
#     a placeholder;
#   - payload.rc: "LANGUAGE 4, 2" (Chinese, PRC) and one line
#     `<id> OWNER_DATA "<file>"` per id, for `#include "payload.rc"` from
#     the resource script with ${K7X_PAYLOAD_OUT_DIR} on the include path.
#     It leaves LANGUAGE set to 4, 2 for what follows it.
# and writes ${K7X_PAYLOAD_IDS_DIR}/payload/PayloadIds.h, the ids by name
# (`inline constexpr UINT kPayload<NAME> = <ID>;`), at configure time.
#
# Sets in the caller's scope:
#   <rc_var>     absolute path of payload.rc
#   <files_var>  payload.rc and every payload file, for DEPENDS of the
#                resource compile (same directory as the call)
# Defines the target k7x_payload, which builds all of them (for
# add_dependencies from other directories), and k7x_build_info, which
# writes ${CMAKE_BINARY_DIR}/BUILD-INFO.txt (cmake/build_info.cmake): the
# commit, the version, placeholders or vendor folder, each payload file's
# size and SHA-256.
#
# Cache option K7X_PAYLOAD_DIR (empty by default): a folder holding real
# files under the manifest's FILE names. When set, every payload file,
# authored or placeholder, is taken from there instead; a size other than
# the manifest's is a warning, and the build runs ${K7X_CHECK_VENDOR_FILES}
# (depending on ${K7X_CHECK_VENDOR_FILES_DEPENDS}; set by the caller) over
# the files the installer reads or loads, failing on any problem.
# Cache option K7X_SIGNED_PROGRAMS_DIR (empty by default): a folder with
# the FILEs of kind "program", signed and exactly of the manifest's size;
# they replace the padded programs (scripts/release.sh signs them).
#
# Only CMake runs here, so the same code serves the Linux and the mingw
# cross build.

set(K7X_PAYLOAD_DIR "" CACHE PATH
  "Folder with the real payload files, by manifest FILE name (empty: placeholders)")
set(K7X_SIGNED_PROGRAMS_DIR "" CACHE PATH
  "Folder with this project's programs signed at their payload size, by manifest FILE name (scripts/release.sh)")

set(K7X_PAYLOAD_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../src/payload")
get_filename_component(K7X_PAYLOAD_SOURCE_DIR "${K7X_PAYLOAD_SOURCE_DIR}" ABSOLUTE)
set(K7X_PAYLOAD_MANIFEST "${K7X_PAYLOAD_SOURCE_DIR}/manifest.txt")
set(K7X_PAYLOAD_OUT_DIR "${CMAKE_BINARY_DIR}/payload")
set(K7X_PAYLOAD_GENERATOR "${CMAKE_CURRENT_LIST_DIR}/payload_generate.cmake")
set(K7X_PAYLOAD_IDS_DIR "${CMAKE_BINARY_DIR}/generated")

# Parses the manifest into _k7x_ids (ids in file order) and, per id,
# _k7x_<id>_name, _k7x_<id>_size and _k7x_<id>_file; per FILE, _k7x_f_<file>_{kind,size,desc,ids}
# and the list _k7x_files of distinct FILE names. Rejects malformed lines,
# repeated ids, and FILEs whose lines disagree on size, kind or description.
macro(_k7x_payload_read_manifest)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${K7X_PAYLOAD_MANIFEST}")
  file(STRINGS "${K7X_PAYLOAD_MANIFEST}" _k7x_lines ENCODING UTF-8)
  set(_k7x_ids "")
  set(_k7x_names "")
  set(_k7x_files "")
  set(_k7x_line_no 0)
  foreach(_k7x_line IN LISTS _k7x_lines)
    math(EXPR _k7x_line_no "${_k7x_line_no} + 1")
    if(_k7x_line MATCHES "^[ \t]*(#.*)?$")
      continue()
    endif()
    if(NOT _k7x_line MATCHES "^([0-9]+) ([A-Za-z][A-Za-z0-9]*) ([0-9]+) ([A-Za-z0-9_.-]+) (authored|placeholder|program) (.+)$")
      message(FATAL_ERROR "${K7X_PAYLOAD_MANIFEST}: line ${_k7x_line_no} is not `ID NAME SIZE FILE KIND DESCRIPTION`: ${_k7x_line}")
    endif()
    set(_k7x_id "${CMAKE_MATCH_1}")
    set(_k7x_name "${CMAKE_MATCH_2}")
    set(_k7x_size "${CMAKE_MATCH_3}")
    set(_k7x_file "${CMAKE_MATCH_4}")
    set(_k7x_kind "${CMAKE_MATCH_5}")
    set(_k7x_desc "${CMAKE_MATCH_6}")
    if(_k7x_id IN_LIST _k7x_ids)
      message(FATAL_ERROR "${K7X_PAYLOAD_MANIFEST}: line ${_k7x_line_no}: id ${_k7x_id} appears twice")
    endif()
    if(_k7x_name IN_LIST _k7x_names)
      message(FATAL_ERROR "${K7X_PAYLOAD_MANIFEST}: line ${_k7x_line_no}: name ${_k7x_name} appears twice")
    endif()
    list(APPEND _k7x_ids ${_k7x_id})
    list(APPEND _k7x_names ${_k7x_name})
    set(_k7x_${_k7x_id}_name ${_k7x_name})
    set(_k7x_${_k7x_id}_size ${_k7x_size})
    set(_k7x_${_k7x_id}_file ${_k7x_file})
    if(_k7x_file IN_LIST _k7x_files)
      if(NOT _k7x_f_${_k7x_file}_size STREQUAL _k7x_size
         OR NOT _k7x_f_${_k7x_file}_kind STREQUAL _k7x_kind
         OR NOT _k7x_f_${_k7x_file}_desc STREQUAL _k7x_desc)
        message(FATAL_ERROR "${K7X_PAYLOAD_MANIFEST}: line ${_k7x_line_no}: ${_k7x_file} differs in size, kind or description from its first line")
      endif()
      string(APPEND _k7x_f_${_k7x_file}_ids " ${_k7x_id}")
    else()
      list(APPEND _k7x_files ${_k7x_file})
      set(_k7x_f_${_k7x_file}_size ${_k7x_size})
      set(_k7x_f_${_k7x_file}_kind ${_k7x_kind})
      set(_k7x_f_${_k7x_file}_desc "${_k7x_desc}")
      set(_k7x_f_${_k7x_file}_ids "${_k7x_id}")
    endif()
  endforeach()
  if(NOT _k7x_ids)
    message(FATAL_ERROR "${K7X_PAYLOAD_MANIFEST} lists no payload")
  endif()
endmacro()

# Fails the configure run when a file of K7X_PAYLOAD_DIR is missing (listing
# every one); a size that differs from the manifest's is a warning naming the
# file (a vendor's newer build of a library differs in size).
function(_k7x_payload_check_vendor_dir files)
  set(missing "")
  foreach(file IN LISTS files)
    set(path "${K7X_PAYLOAD_DIR}/${file}")
    if(NOT EXISTS "${path}")
      string(APPEND missing "\n  ${file}")
      continue()
    endif()
    file(SIZE "${path}" actual)
    if(NOT actual EQUAL _k7x_f_${file}_size)
      message(WARNING "K7X_PAYLOAD_DIR: ${file} has ${actual} bytes, the manifest says ${_k7x_f_${file}_size}")
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "K7X_PAYLOAD_DIR=${K7X_PAYLOAD_DIR} lacks files of the manifest:${missing}")
  endif()
endfunction()

# The check of k7x-check-vendor-files that a vendor's FILE gets, by its first
# id's NAME and its kind (empty: none; Microsoft's files and data are not read).
function(_k7x_vendor_role file out_var)
  string(REGEX MATCH "^[0-9]+" id "${_k7x_f_${file}_ids}")
  set(name "${_k7x_${id}_name}")
  set(role "")
  if(name MATCHES "Gpd$")
    set(role gpd)
  elseif(name MATCHES "Ini$")
    set(role ini)
  elseif(name STREQUAL "Inf")
    set(role inf)
  elseif(name MATCHES "^Multi")
    set(role language)
  elseif(name STREQUAL "Setting")
    set(role settings)
  elseif(_k7x_f_${file}_kind STREQUAL "program" OR file MATCHES "\\.[Dd][Ll][Ll]$")
    set(role program)
  endif()
  set(${out_var} "${role}" PARENT_SCOPE)
endfunction()

# Build step: k7x-check-vendor-files over the vendor's files; the stamp it
# leaves is among the payload outputs, so a problem fails the build.
function(_k7x_payload_check_vendor_files files stamp)
  set(args "")
  set(inputs "")
  foreach(file IN LISTS files)
    _k7x_vendor_role(${file} role)
    if(role)
      list(APPEND args "${role}=${K7X_PAYLOAD_DIR}/${file}")
      list(APPEND inputs "${K7X_PAYLOAD_DIR}/${file}")
    endif()
  endforeach()
  add_custom_command(OUTPUT "${stamp}"
    COMMAND ${K7X_CHECK_VENDOR_FILES} ${args}
    COMMAND "${CMAKE_COMMAND}" -E touch "${stamp}"
    DEPENDS ${inputs} ${K7X_CHECK_VENDOR_FILES_DEPENDS}
    COMMENT "Checking the vendor's payload files"
    VERBATIM)
endfunction()

# Sets <out_var> to the FILE names of the manifest that this build fills with placeholders
# (none when K7X_PAYLOAD_DIR names the files).
function(k7x_placeholder_files out_var)
  _k7x_payload_read_manifest()
  set(placeholders "")
  if(NOT K7X_PAYLOAD_DIR)
    foreach(file IN LISTS _k7x_files)
      if(_k7x_f_${file}_kind STREQUAL "placeholder")
        list(APPEND placeholders ${file})
      endif()
    endforeach()
  endif()
  set(${out_var} "${placeholders}" PARENT_SCOPE)
endfunction()

function(k7x_payload rc_var files_var)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "PROGRAM")
  set(programs ${ARG_PROGRAM})
  if(TARGET k7x_payload)
    message(FATAL_ERROR "k7x_payload() may be called only once")
  endif()
  _k7x_payload_read_manifest()
  if(K7X_PAYLOAD_DIR)
    _k7x_payload_check_vendor_dir("${_k7x_files}")
  endif()
  file(MAKE_DIRECTORY "${K7X_PAYLOAD_OUT_DIR}")

  set(outputs "")
  foreach(file IN LISTS _k7x_files)
    set(out "${K7X_PAYLOAD_OUT_DIR}/${file}")
    set(size ${_k7x_f_${file}_size})
    list(FIND programs "${file}" program_at)
    if(K7X_SIGNED_PROGRAMS_DIR AND _k7x_f_${file}_kind STREQUAL "program")
      set(src "${K7X_SIGNED_PROGRAMS_DIR}/${file}")
      add_custom_command(OUTPUT "${out}"
        COMMAND "${CMAKE_COMMAND}" -DMODE=copy "-DSRC=${src}" "-DOUT=${out}"
                -DSIZE=${size} -P "${K7X_PAYLOAD_GENERATOR}"
        DEPENDS "${src}" "${K7X_PAYLOAD_MANIFEST}" "${K7X_PAYLOAD_GENERATOR}"
        COMMENT "Payload ${file}, signed"
        VERBATIM)
    elseif(NOT K7X_PAYLOAD_DIR AND _k7x_f_${file}_kind STREQUAL "program" AND program_at GREATER -1)
      math(EXPR target_at "${program_at} + 1")
      list(GET programs ${target_at} target)
      add_custom_command(OUTPUT "${out}"
        COMMAND "${CMAKE_COMMAND}" -DMODE=pad "-DSRC=$<TARGET_FILE:${target}>" "-DOUT=${out}"
                -DSIZE=${size} -P "${K7X_PAYLOAD_GENERATOR}"
        DEPENDS ${target} "${K7X_PAYLOAD_MANIFEST}" "${K7X_PAYLOAD_GENERATOR}"
        COMMENT "Payload ${file} from ${target}, padded to ${size} bytes"
        VERBATIM)
    elseif(K7X_PAYLOAD_DIR OR _k7x_f_${file}_kind STREQUAL "authored")
      if(K7X_PAYLOAD_DIR)
        set(src "${K7X_PAYLOAD_DIR}/${file}")
      else()
        set(src "${K7X_PAYLOAD_SOURCE_DIR}/files/${file}")
      endif()
      add_custom_command(OUTPUT "${out}"
        COMMAND "${CMAKE_COMMAND}" -DMODE=copy "-DSRC=${src}" "-DOUT=${out}"
                -DSIZE=${size} "-DOTHER_SIZE=$<IF:$<BOOL:${K7X_PAYLOAD_DIR}>,warn,fail>" -P "${K7X_PAYLOAD_GENERATOR}"
        DEPENDS "${src}" "${K7X_PAYLOAD_MANIFEST}" "${K7X_PAYLOAD_GENERATOR}"
        COMMENT "Payload ${file}"
        VERBATIM)
    else()
      add_custom_command(OUTPUT "${out}"
        COMMAND "${CMAKE_COMMAND}" -DMODE=placeholder "-DOUT=${out}"
                -DSIZE=${size} "-DDESC=${_k7x_f_${file}_desc}"
                "-DIDS=${_k7x_f_${file}_ids}" -P "${K7X_PAYLOAD_GENERATOR}"
        DEPENDS "${K7X_PAYLOAD_MANIFEST}" "${K7X_PAYLOAD_GENERATOR}"
        COMMENT "Payload placeholder ${file}"
        VERBATIM)
    endif()
    list(APPEND outputs "${out}")
  endforeach()

  if(K7X_PAYLOAD_DIR)
    set(stamp "${K7X_PAYLOAD_OUT_DIR}/vendor-files.checked")
    _k7x_payload_check_vendor_files("${_k7x_files}" "${stamp}")
    list(APPEND outputs "${stamp}")
  endif()

  set(rc "${K7X_PAYLOAD_OUT_DIR}/payload.rc")
  set(content "// Generated from src/payload/manifest.txt by cmake/Payload.cmake.\n")
  string(APPEND content "LANGUAGE 4, 2\n")
  foreach(id IN LISTS _k7x_ids)
    string(APPEND content "${id} OWNER_DATA \"${K7X_PAYLOAD_OUT_DIR}/${_k7x_${id}_file}\"\n")
  endforeach()
  file(GENERATE OUTPUT "${rc}" CONTENT "${content}")

  set(ids "// Generated from src/payload/manifest.txt by cmake/Payload.cmake.\n#pragma once\n\n#include <windows.h>\n\n")
  foreach(id IN LISTS _k7x_ids)
    string(APPEND ids "inline constexpr UINT kPayload${_k7x_${id}_name} = ${id};\n")
  endforeach()
  file(CONFIGURE OUTPUT "${K7X_PAYLOAD_IDS_DIR}/payload/PayloadIds.h" CONTENT "${ids}" @ONLY)

  add_custom_target(k7x_payload DEPENDS ${outputs})

  # BUILD-INFO.txt, made anew by every build (the commit is not a file the build sees).
  k7x_placeholder_files(placeholders)
  add_custom_target(k7x_build_info ALL
    COMMAND "${CMAKE_COMMAND}" "-DOUT=${CMAKE_BINARY_DIR}/BUILD-INFO.txt" "-DSOURCE_DIR=${PROJECT_SOURCE_DIR}"
            "-DVERSION=${PROJECT_VERSION}" "-DPAYLOAD_OUT_DIR=${K7X_PAYLOAD_OUT_DIR}" "-DFILES=${_k7x_files}"
            "-DPLACEHOLDERS=${placeholders}" "-DVENDOR_DIR=${K7X_PAYLOAD_DIR}"
            -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/build_info.cmake"
    DEPENDS ${outputs}
    BYPRODUCTS "${CMAKE_BINARY_DIR}/BUILD-INFO.txt"
    VERBATIM)
  set(${rc_var} "${rc}" PARENT_SCOPE)
  set(${files_var} "${rc}" ${outputs} PARENT_SCOPE)
endfunction()
