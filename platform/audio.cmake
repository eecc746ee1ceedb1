# ALSA: sound devices, capture and playback.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
target_link_libraries(sonalyx_deps INTERFACE PkgConfig::ALSA)
