# Build-time step: writes BUILD-INFO.txt, what a Windows build holds, run as
#   cmake -DOUT=<file> -DSOURCE_DIR=<dir> -DVERSION=<text> -DPAYLOAD_OUT_DIR=<dir>
#         -DFILES=<names> -DPLACEHOLDERS=<names> -DVENDOR_DIR=<dir or empty> -P build_info.cmake
# Lines: "commit <id>" ("unknown" outside a git checkout; "+changes" when the work tree differs
# from it), "commit-time <SOURCE_DATE_EPOCH>", "version <text>", "payload placeholders: <files>"
# or "payload vendor folder: <dir>", then "file <name> <size> <sha256>" per payload file.
set(commit unknown)
set(commit_time unknown)
find_program(GIT git)
if(GIT)
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} log -1 --format=%H%n%ct
                  OUTPUT_VARIABLE head RESULT_VARIABLE failed ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT failed AND head)
    string(REPLACE "\n" ";" head "${head}")
    list(GET head 0 commit)
    list(GET head 1 commit_time)
    execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} status --porcelain --untracked-files=no
                    OUTPUT_VARIABLE changes ERROR_QUIET)
    if(changes)
      string(APPEND commit " +changes")
    endif()
  endif()
endif()
set(text "commit ${commit}\ncommit-time ${commit_time}\nversion ${VERSION}\n")
if(PLACEHOLDERS)
  list(JOIN PLACEHOLDERS " " names)
  string(APPEND text "payload placeholders: ${names}\n")
else()
  string(APPEND text "payload vendor folder: ${VENDOR_DIR}\n")
endif()
foreach(file IN LISTS FILES)
  file(SIZE ${PAYLOAD_OUT_DIR}/${file} size)
  file(SHA256 ${PAYLOAD_OUT_DIR}/${file} hash)
  string(APPEND text "file ${file} ${size} ${hash}\n")
endforeach()
file(WRITE ${OUT}.new "${text}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUT}.new ${OUT})
file(REMOVE ${OUT}.new)
