# USB device access through libusb.
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::LIBUSB)
  pkg_check_modules(LIBUSB REQUIRED IMPORTED_TARGET libusb-1.0)
endif()
target_link_libraries(sonalyx_deps INTERFACE PkgConfig::LIBUSB)
