# MIDI output through the ALSA sequencer.
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::ALSA)
  pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
endif()
target_link_libraries(sonalyx_deps INTERFACE PkgConfig::ALSA)
