#pragma once
#include <cstdint>
#include <vector>

// Names one resource of a type: a name, when given, wins over the id.
struct LResRef {
    int32_t id = 0;
    const char* name = nullptr; // NUL-terminated UTF-8, or null
};

// Where resources come from: the resource file beside the program, a chain of such files with
// regional variants, or a block of memory in tests. Every resource load goes through one of these.
class LResourceSource {
public:
    LResourceSource() = default;
    LResourceSource(const LResourceSource&) = delete;
    LResourceSource& operator=(const LResourceSource&) = delete;
    virtual ~LResourceSource() = default;

    // Replaces `out` by the bytes of the resource of `type` named by `ref`; false, with `out`
    // empty, when no resource matches.
    [[nodiscard]] virtual bool Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out) = 0;

    // The region whose variants this source prefers: 'US  ' unless it says otherwise.
    virtual uint32_t GetRegion() const;

    // The application's resource chain, used when a caller names no source; null until
    // start-up installs one, and then nothing is loaded.
    static LResourceSource* Global();
    // Installs (or, with null, removes) the application's resource chain; the caller keeps ownership.
    static void SetGlobal(LResourceSource* source);
};

inline constexpr uint32_t kRegionUS = 0x55532020; // 'US  '
inline constexpr uint32_t kRegionJP = 0x4A502020; // 'JP  '
