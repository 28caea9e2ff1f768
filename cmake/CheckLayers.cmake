# cmake -DROOT=<tree> -DTABLE=<ARCHITECTURE.md> -P CheckLayers.cmake
#
# Fails when a file below ROOT/src or ROOT/assets includes a header from a folder of a
# higher layer than its own, naming the file, the line and the include. The layers are
# the table between the markers "<!-- layers -->" and "<!-- /layers -->" in TABLE, one
# row a layer, numbered from the top: | number | name | `folder`, `folder` | ... |.
# Includes run downward or stay within their layer; a folder that is in no row fails
# too, so that a new folder has to be given its place before it is used.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT OR NOT TABLE)
  message(FATAL_ERROR "usage: cmake -DROOT=<tree> -DTABLE=<ARCHITECTURE.md> -P CheckLayers.cmake")
endif()

file(STRINGS "${TABLE}" table_lines)
set(inside FALSE)
set(folders "")
foreach(line IN LISTS table_lines)
  if(line MATCHES "<!-- layers -->")
    set(inside TRUE)
  elseif(line MATCHES "<!-- /layers -->")
    set(inside FALSE)
  elseif(inside AND line MATCHES "^\\| *([0-9]+) *\\| *([^|]+)\\|([^|]+)\\|")
    set(number "${CMAKE_MATCH_1}")
    string(STRIP "${CMAKE_MATCH_2}" name)
    string(REGEX MATCHALL "`[^`]+`" quoted "${CMAKE_MATCH_3}")
    foreach(q IN LISTS quoted)
      string(REPLACE "`" "" folder "${q}")
      list(APPEND folders "${folder}")
      set(layer_of_${folder} "${number}")
      set(name_of_${folder} "${name}")
    endforeach()
  endif()
endforeach()
if(NOT folders)
  message(FATAL_ERROR "${TABLE}: no table of layers between <!-- layers --> and <!-- /layers -->")
endif()

# The deepest folder of the table that holds a path ("src/stamp/ui/X.h" is in
# src/stamp/ui, not in src/stamp). Sets out to that folder, or empty.
function(folder_of path out)
  set(best "")
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}" n)
    string(LENGTH "${best}" b)
    if(path MATCHES "^${folder}/" AND n GREATER b)
      set(best "${folder}")
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${ROOT}"
     "${ROOT}/src/*.cpp" "${ROOT}/src/*.h" "${ROOT}/assets/*.cpp" "${ROOT}/assets/*.h")
list(SORT sources)
set(faults 0)
foreach(source IN LISTS sources)
  folder_of("${source}" own)
  if(NOT own)
    message(SEND_ERROR "${source}: its folder has no layer in ${TABLE}")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  file(STRINGS "${ROOT}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  # Line numbers make the message useful; reading the file again with its line count is
  # cheap next to the build.
  file(STRINGS "${ROOT}/${source}" all_lines)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
    # Includes are written from src/ (assets/ from the top): "stamp/ui/X.h".
    folder_of("src/${header}" theirs)
    if(NOT theirs)
      folder_of("${header}" theirs)
    endif()
    if(NOT theirs)
      continue() # beside the file itself, or made by the build
    endif()
    if(layer_of_${theirs} LESS layer_of_${own})
      list(FIND all_lines "${line}" index)
      math(EXPR number "${index} + 1")
      message(SEND_ERROR "${source}:${number}: includes \"${header}\" from layer "
              "${layer_of_${theirs}} (${name_of_${theirs}}, ${theirs}) above its own layer "
              "${layer_of_${own}} (${name_of_${own}}, ${own})")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
list(LENGTH sources count)
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) against the layers in ${count} files")
endif()
message(STATUS "includes follow the layers in ${count} files")
