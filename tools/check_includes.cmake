# cmake -DCONFIG=FILE -P check_includes.cmake: fails when a file of a library includes a project
# header that is neither its own nor of a library it uses. CONFIG sets NAME, FILES (the
# library's files, full paths), ALLOWED (the headers it may include, from the root) and STAMP.
cmake_minimum_required(VERSION 3.20)
include(${CONFIG})
set(bad "")
foreach(file IN LISTS FILES)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
    if(NOT header IN_LIST ALLOWED)
      string(APPEND bad "\n  ${file} includes ${header}")
    endif()
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "${NAME} may include only its own headers and those of the libraries it uses:${bad}")
endif()
file(TOUCH ${STAMP})
