# Include roots of the libraries.
#
# The code names a header by its path in the tree ("widget/model/colour.h"). Each library
# publishes the headers of its own folders under that same path in an include root of its own
# inside the build folder, and nothing else. A file therefore reaches a header only through a
# library it links: a layer that reaches past its dependencies does not compile.

# snippo_publish_headers(<target> [<folder>...])
#   Publishes the *.h files of the given folders (relative to the current source folder; the
#   folder itself by default, without its subfolders) as the target's include root.
function(snippo_publish_headers target)
  set(folders ${ARGN})
  if(NOT folders)
    set(folders .)
  endif()
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  # Stale links of headers removed since the last run would still resolve.
  file(REMOVE_RECURSE ${root})
  foreach(folder IN LISTS folders)
    cmake_path(ABSOLUTE_PATH folder BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE
               OUTPUT_VARIABLE dir)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
    file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
    file(MAKE_DIRECTORY ${root}/${rel})
    foreach(header IN LISTS headers)
      cmake_path(GET header FILENAME name)
      file(CREATE_LINK ${header} ${root}/${rel}/${name} SYMBOLIC)
    endforeach()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE $<BUILD_INTERFACE:${root}>)
  else()
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
  endif()
endfunction()
