// Packs the text sources under resources/ into the resource file that sits beside the program.
// Usage: sonalyx_respack <resource folder> <output file>
#include "platform/resources/ResourceSources.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <resource folder> <output file>\n", argv[0]);
        return 2;
    }
    std::vector<plat::ResourceEntry> entries;
    std::string error;
    if (plat::ReadResourceFolder(argv[1], entries, error) != plat::ResourceStatus::Ok) {
        std::fprintf(stderr, "sonalyx_respack: %s\n", error.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes;
    if (plat::PackResources(std::move(entries), bytes) != plat::ResourceStatus::Ok) {
        std::fprintf(stderr, "sonalyx_respack: two resources of one type share an id or a name\n");
        return 1;
    }
    const std::string temp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "sonalyx_respack: cannot write %s\n", temp.c_str());
            return 1;
        }
    }
    if (std::rename(temp.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "sonalyx_respack: cannot rename %s\n", temp.c_str());
        return 1;
    }
    return 0;
}
