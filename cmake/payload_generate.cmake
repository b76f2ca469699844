# Build-time step for one payload file, run as
#   cmake -DMODE=placeholder -DOUT=<file> -DSIZE=<bytes> -DDESC=<text> -DIDS=<ids> -P payload_generate.cmake
#   cmake -DMODE=copy -DSRC=<file> -DOUT=<file> -DSIZE=<bytes> [-DOTHER_SIZE=warn] -P payload_generate.cmake
#   cmake -DMODE=pad -DSRC=<program> -DOUT=<file> -DSIZE=<bytes> -P payload_generate.cmake
#
# placeholder: writes OUT with exactly SIZE bytes: a header naming the
#   file, its variant (DESC) and its payload ids (IDS, blank separated),
#   then a repeated filler text.
# copy: copies SRC to OUT after checking that SRC has exactly SIZE bytes (a
#   warning only with OTHER_SIZE=warn: a vendor's file).
# pad: copies the program SRC to OUT and appends zero bytes up to SIZE, an
#   overlay after the image that the loader does not read; fails when SRC
#   is larger than SIZE.

foreach(var MODE OUT SIZE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "payload_generate: ${var} is not set")
  endif()
endforeach()

if(MODE STREQUAL "copy")
  if(NOT EXISTS "${SRC}")
    message(FATAL_ERROR "payload file ${SRC} does not exist")
  endif()
  file(SIZE "${SRC}" actual)
  if(NOT actual EQUAL SIZE AND OTHER_SIZE STREQUAL "warn")
    message(WARNING "payload file ${SRC} has ${actual} bytes, the manifest says ${SIZE}")
  elseif(NOT actual EQUAL SIZE)
    message(FATAL_ERROR
      "payload file ${SRC} has ${actual} bytes, the manifest says ${SIZE}")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E copy "${SRC}" "${OUT}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot copy ${SRC} to ${OUT}")
  endif()
  # a fresh time stamp, so the build sees the step as done
  file(TOUCH "${OUT}")
elseif(MODE STREQUAL "pad")
  file(SIZE "${SRC}" actual)
  if(actual GREATER SIZE)
    message(FATAL_ERROR
      "${SRC} has ${actual} bytes, more than the ${SIZE} bytes its payload holds")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E copy "${SRC}" "${OUT}" RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND truncate -s ${SIZE} "${OUT}" RESULT_VARIABLE failed)
  endif()
  if(failed)
    message(FATAL_ERROR "cannot pad ${SRC} into ${OUT}")
  endif()
elseif(MODE STREQUAL "placeholder")
  set(header
    "K7X PLACEHOLDER: ${DESC}\r\n"
    "Payload ids: ${IDS}\r\n"
    "Size: ${SIZE} bytes\r\n"
    "This file stands in for one the project does not ship. Configure\r\n"
    "with -DK7X_PAYLOAD_DIR=<folder> to embed the real file instead.\r\n"
    "\r\n")
  string(CONCAT header ${header})
  string(LENGTH "${header}" header_length)
  if(header_length GREATER SIZE)
    message(FATAL_ERROR "placeholder header does not fit into ${SIZE} bytes")
  endif()
  set(filler "K7X placeholder filler text. ")
  string(LENGTH "${filler}" filler_length)
  math(EXPR rest "${SIZE} - ${header_length}")
  math(EXPR count "${rest} / ${filler_length} + 1")
  string(REPEAT "${filler}" ${count} body)
  string(SUBSTRING "${body}" 0 ${rest} body)
  file(WRITE "${OUT}" "${header}${body}")
  file(SIZE "${OUT}" actual)
  if(NOT actual EQUAL SIZE)
    message(FATAL_ERROR "placeholder ${OUT} has ${actual} bytes, not ${SIZE}")
  endif()
else()
  message(FATAL_ERROR "payload_generate: unknown MODE '${MODE}'")
endif()
