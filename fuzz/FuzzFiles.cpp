#include "fuzz/FuzzFiles.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

std::string WriteFuzzFile(const char* name, const uint8_t* data, size_t size)
{
    const char* dir = std::getenv("TMPDIR");
    const std::string path = std::string(dir && *dir ? dir : "/tmp") + "/sonalyx-fuzz-" + std::to_string(getpid())
        + "-" + name;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        if (size > 0)
            (void)std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path;
}
