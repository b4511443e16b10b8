# The floors of src/, lowest first: the one table of which folder may include which. A
# source file includes headers of its own folder and of folders on lower floors only;
# folders on one floor know nothing of each other. Every folder of src/ with sources has
# its floor here, and the configure step checks every include of every source against
# the table (orbelin_check_floors), so a stray include fails at once instead of quietly
# tying a floor to one above it.
set(ORBELIN_FLOORS
  "convert/codec"
  "platform"
  "report|platform/posix|platform/qt|platform/qtserial|platform/sim|platform/inputmethod"
  "convert/text|platform/win32|platform/x11"
  "settings|platform/wayland"
  "convert|convert/book|convert/ean|fileout|keyout"
  "serial"
  "app/startup"
  "ui"
  "ui/shell"
  "app/desktop"
  "tools"
)

# Sets floor_of_<folder> for every folder of the table.
function(orbelin_floor_numbers)
  set(number 0)
  foreach(floor IN LISTS ORBELIN_FLOORS)
    string(REPLACE "|" ";" folders "${floor}")
    foreach(folder IN LISTS folders)
      set(floor_of_${folder} ${number} PARENT_SCOPE)
    endforeach()
    math(EXPR number "${number} + 1")
  endforeach()
endfunction()

# Fails the configure step for a folder of root without a floor, or an include of a
# folder that is not on a lower floor.
function(orbelin_check_floors root)
  orbelin_floor_numbers()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS RELATIVE ${root} ${root}/*.h ${root}/*.cpp)
  foreach(source IN LISTS sources)
    get_filename_component(folder ${source} DIRECTORY)
    if(NOT DEFINED floor_of_${folder})
      message(FATAL_ERROR "src/${folder} has no floor in cmake/OrbelinFloors.cmake")
    endif()
    file(STRINGS ${root}/${source} includes REGEX "^#include \"[^\"]+/[^\"/]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"(.+)/[^/\"]+\".*" "\\1" included "${line}")
      # Generated and third-party headers are no folder of src/.
      if(included STREQUAL folder OR NOT IS_DIRECTORY ${root}/${included})
        continue()
      endif()
      if(NOT DEFINED floor_of_${included})
        message(FATAL_ERROR "src/${source} includes ${included}/, which has no floor in cmake/OrbelinFloors.cmake")
      endif()
      if(NOT floor_of_${included} LESS floor_of_${folder})
        message(FATAL_ERROR "src/${source} includes ${included}/, which is not on a floor below src/${folder}: ${line}")
      endif()
    endforeach()
  endforeach()
endfunction()
