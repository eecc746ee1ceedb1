# sonalyx_add_folder(name): makes the OBJECT library sonalyx_<name> from every .cpp below <name>/.
# A folder may add its own link dependencies in <name>/deps.cmake (linked to sonalyx_deps).
function(sonalyx_add_folder name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${name}/*.cpp")
  if(EXISTS "${CMAKE_SOURCE_DIR}/${name}/deps.cmake")
    include("${CMAKE_SOURCE_DIR}/${name}/deps.cmake")
  endif()
  if(NOT sources)
    return()
  endif()
  add_library(sonalyx_${name} OBJECT ${sources})
  target_include_directories(sonalyx_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(sonalyx_${name} PUBLIC sonalyx_deps)
endfunction()
