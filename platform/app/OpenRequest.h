#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// The message a later launch sends to the running instance: the absolute paths it was given.
// Bytes: "SXO1", a u32 count (little-endian), then for each path a u32 length and its bytes.
// Counts and lengths are bounded so that a damaged or hostile message costs little.
namespace OpenRequest {

constexpr size_t kMaxPaths = 256;
constexpr size_t kMaxPathBytes = 4096;

// The message for paths; false when a path is not acceptable (see Reader) or there are too many.
bool Encode(const std::vector<std::string>& paths, std::string& out);

// Reads one message as its bytes arrive, in pieces of any size.
class Reader {
public:
    enum class Status { NeedMore, Complete, Damaged };

    // Takes the next bytes. Once Complete or Damaged, the status stays; bytes after a complete
    // message make it Damaged.
    Status Feed(const void* data, size_t length);
    Status Current() const { return fStatus; }
    // The paths of a complete message.
    const std::vector<std::string>& Paths() const { return fPaths; }

private:
    Status Step(uint8_t byte);
    Status AfterWord(uint32_t word);

    enum class Part { Magic, Count, Length, Path } fPart = Part::Magic;
    Status fStatus = Status::NeedMore;
    uint32_t fWord = 0;
    size_t fWordBytes = 0;
    size_t fCount = 0;
    size_t fPathLength = 0;
    std::string fPath;
    std::vector<std::string> fPaths;
};

} // namespace OpenRequest
} // namespace plat
