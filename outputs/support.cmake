# The support files (fader definitions, sounds) are copied beside the program and beside the
# test programs, which look for them in a "support" folder next to their own executable. The
# README goes beside them too: Help opens it.
if(NOT TARGET sonalyx_support)
  file(GLOB_RECURSE support_files CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/support/*")
  set(support_stamp "${CMAKE_BINARY_DIR}/support.stamp")
  add_custom_command(
    OUTPUT "${support_stamp}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/app/support" "${CMAKE_BINARY_DIR}/tests/support"
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${CMAKE_SOURCE_DIR}/support" "${CMAKE_BINARY_DIR}/app/support"
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${CMAKE_SOURCE_DIR}/support" "${CMAKE_BINARY_DIR}/tests/support"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/README.md" "${CMAKE_BINARY_DIR}/app/README.md"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/README.md" "${CMAKE_BINARY_DIR}/tests/README.md"
    COMMAND ${CMAKE_COMMAND} -E touch "${support_stamp}"
    DEPENDS ${support_files} "${CMAKE_SOURCE_DIR}/README.md"
    COMMENT "Copying the support files")
  add_custom_target(sonalyx_support ALL DEPENDS "${support_stamp}")
  # Whatever links the core library finds the support files in place.
  add_dependencies(sonalyx_deps sonalyx_support)
endif()
