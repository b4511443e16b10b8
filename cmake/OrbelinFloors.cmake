# The floors of src/ and programs/, lowest first: the one table of which folder may
# include which. A source file includes headers of its own folder and of folders on lower
# floors only; folders on one floor know nothing of each other. A folder is named as the
# includes name it: from src/, or from programs/ for the programs (desktop, tools), which
# stand on the top floors. Every folder with sources has its floor here, and the
# configure step checks every include of every source against the table
# (orbelin_check_floors), so a stray include fails at once instead of quietly tying a
# floor to one above it.
set(ORBELIN_FLOORS
  "codec"
  "platform"
  "report|platform/common|platform/keysyms|platform/posix|platform/win32|platform/qt|platform/qtserial|platform/inputmethod"
  "platform/desktopkeyboard"
  "text|platform/sim|platform/x11|platform/wayland"
  "settings"
  "convert|convert/book|convert/ean|fileout|keyout"
  "serial"
  "app/startup"
  "ui"
  "ui/shell"
  "desktop"
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

# Fails the configure step for a folder of the given roots without a floor, a folder name
# that two roots both have, or an include of a folder that is not on a lower floor.
function(orbelin_check_floors)
  orbelin_floor_numbers()
  set(roots ${ARGN})
  foreach(root IN LISTS roots)
    get_filename_component(root_name ${root} NAME)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS RELATIVE ${root} ${root}/*.h ${root}/*.cpp)
    foreach(source IN LISTS sources)
      get_filename_component(folder ${source} DIRECTORY)
      if(NOT DEFINED floor_of_${folder})
        message(FATAL_ERROR "${root_name}/${folder} has no floor in cmake/OrbelinFloors.cmake")
      endif()
      file(STRINGS ${root}/${source} includes REGEX "^#include \"[^\"]+/[^\"/]+\"")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"(.+)/[^/\"]+\".*" "\\1" included "${line}")
        if(included STREQUAL folder)
          continue()
        endif()
        set(homes "")
        foreach(other IN LISTS roots)
          if(IS_DIRECTORY ${other}/${included})
            list(APPEND homes ${other})
          endif()
        endforeach()
        list(LENGTH homes home_count)
        # Generated and third-party headers are in no folder of the roots.
        if(home_count EQUAL 0)
          continue()
        endif()
        if(home_count GREATER 1)
          message(FATAL_ERROR "${root_name}/${source} includes ${included}/, a folder that more than one of ${roots} has")
        endif()
        if(NOT DEFINED floor_of_${included})
          message(FATAL_ERROR "${root_name}/${source} includes ${included}/, which has no floor in cmake/OrbelinFloors.cmake")
        endif()
        if(NOT floor_of_${included} LESS floor_of_${folder})
          message(FATAL_ERROR "${root_name}/${source} includes ${included}/, which is not on a floor below ${root_name}/${folder}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
