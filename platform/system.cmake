# The version the program reports about itself (process information, About box).
set(SONALYX_BUILD_VERSION "1.0.0")
set_property(SOURCE "${CMAKE_SOURCE_DIR}/platform/system/SystemInfo.cpp"
  APPEND PROPERTY COMPILE_DEFINITIONS "SONALYX_BUILD_VERSION=\"${SONALYX_BUILD_VERSION}\"")
