# OpenGL through Mesa: EGL on the surfaceless platform, the compatibility-profile GL library.
find_package(PkgConfig REQUIRED)
pkg_check_modules(EGL REQUIRED IMPORTED_TARGET egl)
pkg_check_modules(GL REQUIRED IMPORTED_TARGET gl)
target_link_libraries(sonalyx_deps INTERFACE PkgConfig::EGL PkgConfig::GL)
