# libsndfile reads sound files; libsamplerate changes their playback rate.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
pkg_check_modules(SAMPLERATE REQUIRED IMPORTED_TARGET samplerate)
target_link_libraries(sonalyx_deps INTERFACE PkgConfig::SNDFILE PkgConfig::SAMPLERATE)
