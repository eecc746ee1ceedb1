# Drawing: cairo paints bitmaps, fontconfig finds the font files, FreeType loads them, libpng
# reads and writes images.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo cairo-ft)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(LIBPNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(sonalyx_deps INTERFACE PkgConfig::CAIRO PkgConfig::FREETYPE PkgConfig::LIBPNG PkgConfig::FONTCONFIG)
