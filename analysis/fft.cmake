# The FFT's butterfly loops are written for the vectoriser, which -O2 leaves mostly unused.
# Each butterfly's f32 arithmetic is fixed, so no multiply-add is ever fused, on any target.
set(fft_options -O3 -ffp-contract=off)
foreach(file CFFT.cpp CFFTKernelGeneric.cpp CFFTKernelAvx2.cpp)
  set_source_files_properties("${CMAKE_SOURCE_DIR}/analysis/${file}" PROPERTIES COMPILE_OPTIONS "${fft_options}")
endforeach()
# The AVX2 build: run-time dispatch picks it only on processors that have AVX2. No -mfma.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
  set_source_files_properties("${CMAKE_SOURCE_DIR}/analysis/CFFTKernelAvx2.cpp"
                              PROPERTIES COMPILE_OPTIONS "${fft_options};-mavx2")
endif()
