#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Writes an input to a file of this process in the temporary folder ($TMPDIR or /tmp), for
// the readers that take a path; the file's path.
std::string WriteFuzzFile(const char* name, const uint8_t* data, size_t size);
