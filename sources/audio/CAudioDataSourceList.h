#pragma once
#include <string>
#include <vector>

// The input data sources of one device ("Mic", "Line" ...), walked with a cursor like the
// device list.
class CAudioDataSourceList {
public:
    explicit CAudioDataSourceList(const std::string& device);

    uint32_t Count() const { return uint32_t(fNames.size()); }
    [[nodiscard]] bool Next();
    // The current source's name; empty past the end.
    std::string CurrentName() const;
    const std::string& Device() const { return fDevice; }

private:
    std::string fDevice;
    std::vector<std::string> fNames;
    uint32_t fCursor = 0;
};
