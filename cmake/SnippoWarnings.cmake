# The warnings every target of this tree is compiled with, in one place.
add_library(snippo_warnings INTERFACE)
target_compile_options(snippo_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wformat=2 -Wundef
  -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual -Wimplicit-fallthrough
  -Wmissing-declarations
  $<$<BOOL:${SNIPPO_WERROR}>:-Werror>)

# snippo_apply_warnings(<folder>): links snippo_warnings into every target that compiles code
# in the folder and below it, so that a target added later cannot miss them.
function(snippo_apply_warnings folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      target_link_libraries(${target} PRIVATE $<BUILD_INTERFACE:snippo_warnings>)
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    snippo_apply_warnings(${subfolder})
  endforeach()
endfunction()
