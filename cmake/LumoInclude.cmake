# Headers are included by their folder below src/ ("stamp/PhotoWorkspace.h"). Each folder
# is reachable only through the libraries built from it: lumo_include_folder(lib stamp)
# makes <build>/include/stamp/stamp a link to src/stamp and gives lib (and whoever links
# it) <build>/include/stamp as include root, so a library that includes a header of a
# library it does not link fails to compile.
function(lumo_include_folder target folder)
  set(root "${PROJECT_BINARY_DIR}/include/${folder}")
  if(NOT EXISTS "${root}/${folder}")
    file(MAKE_DIRECTORY "${root}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${folder}" SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
