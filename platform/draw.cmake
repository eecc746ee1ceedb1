# Drawing: cairo paints bitmaps, FreeType loads the font files, libpng reads and writes images.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo cairo-ft)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(LIBPNG REQUIRED IMPORTED_TARGET libpng)
target_link_libraries(sonalyx_deps INTERFACE PkgConfig::CAIRO PkgConfig::FREETYPE PkgConfig::LIBPNG)
