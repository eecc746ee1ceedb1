#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The default text of one output parameter, from the definition file of its kind.
struct CFaderDefault {
    uint32_t kind = 0;
    std::string id;
    std::string value;
};

// One control of the MIDI console: a controller 0..127, or kProgramChange.
struct CConsoleControl {
    static constexpr uint8_t kProgramChange = 192;
    std::string id;
    uint8_t controller = 0;
    uint8_t value = 0;
};

// The defaults of every control of the definition files of kinds 1..9, in file order.
std::vector<CFaderDefault> LoadFaderDefaults();

// The console controls of the "midiconsole" file: id "p" is the program change, other ids
// must start with a digit and read (with C prefixes) as 0..127; other controls are skipped.
std::vector<CConsoleControl> LoadConsoleControls();

// The default of parameter `id` for `kind`; null when the definitions have none.
const std::string* FindFaderDefault(const std::vector<CFaderDefault>& defaults, uint32_t kind,
                                    std::string_view id);
