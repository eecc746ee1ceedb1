// The message a later launch sends to the running program, read in pieces as a socket
// delivers it: a complete message holds bounded absolute paths and is exactly what encoding
// those paths gives; anything else is damaged or still waiting, never more.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "platform/app/OpenRequest.h"

#include <algorithm>
#include <string>

int FuzzSingleInstanceMessage(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the size of the pieces the rest arrives in.
    const size_t piece = size_t(data[0] % 16) + 1;
    const uint8_t* message = data + 1;
    const size_t length = size - 1;
    namespace request = plat::OpenRequest;
    request::Reader reader;
    for (size_t at = 0; at < length && reader.Current() != request::Reader::Status::Damaged; at += piece)
        (void)reader.Feed(message + at, std::min(piece, length - at));
    if (reader.Current() != request::Reader::Status::Complete)
        return 0;
    const auto& paths = reader.Paths();
    FuzzCheck(paths.size() <= request::kMaxPaths, "at most kMaxPaths paths");
    for (const std::string& path : paths)
        FuzzCheck(!path.empty() && path.size() <= request::kMaxPathBytes && path[0] == '/' &&
                      path.find('\0') == std::string::npos,
                  "every path is absolute, bounded and without NUL");
    std::string encoded;
    FuzzCheck(request::Encode(paths, encoded), "the paths read can be sent again");
    FuzzCheck(encoded == std::string(reinterpret_cast<const char*>(message), length),
              "a complete message is exactly the encoding of its paths");
    return 0;
}
