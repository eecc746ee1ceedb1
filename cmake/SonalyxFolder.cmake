# sonalyx_add_folder(name): makes the OBJECT library sonalyx_<name> from every .cpp below <name>/
# except <name>/main.cpp, which is an executable's entry point.
# A folder adds its own link dependencies in <name>/*.cmake files (one per module, e.g.
# platform/audio.cmake), which link them to the INTERFACE target sonalyx_deps.
function(sonalyx_add_folder name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${name}/*.cpp")
  list(REMOVE_ITEM sources "${CMAKE_SOURCE_DIR}/${name}/main.cpp")
  file(GLOB dep_files CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${name}/*.cmake")
  foreach(dep_file IN LISTS dep_files)
    include("${dep_file}")
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_library(sonalyx_${name} OBJECT ${sources})
  target_include_directories(sonalyx_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(sonalyx_${name} PUBLIC sonalyx_deps)
endfunction()
