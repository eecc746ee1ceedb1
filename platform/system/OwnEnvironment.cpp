#include "platform/system/OwnEnvironment.h"

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace plat {
namespace {

// Written by constructor functions before any other thread exists, read afterwards: a plain
// array filled in at load time, not an object whose own construction might come later.
constexpr int kMaxOwn = 4;
const char* gOwn[kMaxOwn] = {};

bool IsOwn(const char* entry)
{
    for (const char* name : gOwn) {
        const size_t length = name ? std::strlen(name) : 0;
        if (name && std::strncmp(entry, name, length) == 0 && entry[length] == '=')
            return true;
    }
    return false;
}

} // namespace

void OwnEnvironment::Set(const char* name, const char* value)
{
    if (std::getenv(name))
        return;
    for (const char*& slot : gOwn)
        if (!slot) {
            if (setenv(name, value, 0) == 0)
                slot = name;
            return;
        }
}

std::vector<std::string> OwnEnvironment::ForChildren()
{
    std::vector<std::string> entries;
    for (char** at = environ; at && *at; ++at)
        if (!IsOwn(*at))
            entries.emplace_back(*at);
    return entries;
}

} // namespace plat
