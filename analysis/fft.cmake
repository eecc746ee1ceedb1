# The FFT's butterfly loops are written for the vectoriser, which -O2 leaves mostly unused.
set_source_files_properties("${CMAKE_SOURCE_DIR}/analysis/CFFT.cpp" PROPERTIES COMPILE_OPTIONS "-O3")
