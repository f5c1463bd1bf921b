# Inside src/edit the rooms point downward too: the engine composes the parts
# (navigation, tools, picking) over the shared state in edit/state, and the
# command table drives the engine. So only these rooms may include the rooms
# above the parts:
#   edit/engine/   <- engine, commands, script
#   edit/commands/ <- commands, script
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

function(qarto_check_edit_rooms edit_dir)
  file(GLOB_RECURSE edit_files ${edit_dir}/*.h ${edit_dir}/*.cpp)
  foreach(file IN LISTS edit_files)
    file(RELATIVE_PATH relative ${edit_dir} ${file})
    string(REGEX MATCH "^[^/]+/" room "${relative}")
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"edit/(engine|commands)/")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "edit/(engine|commands)/" target "${line}")
      set(allowed "commands/;script/")
      if(target STREQUAL "edit/engine/")
        list(APPEND allowed "engine/")
      endif()
      if(NOT room IN_LIST allowed)
        message(FATAL_ERROR "Room violation: src/edit/${relative} includes ${target}, a room above it "
                            "(only ${allowed} may)")
      endif()
    endforeach()
  endforeach()
endfunction()

# Script mode, for the test that runs it on every build's sources:
#   cmake -DEDIT_DIR=src/edit -P cmake/QartoEditRooms.cmake
if(CMAKE_SCRIPT_MODE_FILE AND EDIT_DIR)
  qarto_check_edit_rooms(${EDIT_DIR})
endif()
