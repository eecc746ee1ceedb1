# The desktop window backend: SDL2 with its x11 video driver; Xlib for the connection's
# descriptor, transient windows and raising without focus; XTest for the display test driver.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11 xtst)
target_link_libraries(sonalyx_deps INTERFACE PkgConfig::SDL2 PkgConfig::X11)
