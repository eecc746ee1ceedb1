#pragma once
#include "foundation/core/LStrStream.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

// Event texts in step with the sample rings: one text per sample slot. Texts that arrive
// between two frames collect in `currentLine` and are committed into the slot of the next frame.
class CEventLineRing {
public:
    // Replaces the slots by 2^max(order, ringOrder) empty texts and forgets every text.
    // All or nothing: false (nothing changed) when an order is out of range or memory is short.
    [[nodiscard]] bool Alloc(uint32_t order, uint32_t ringOrder);
    // Adds text to the line of the coming frame, without a separator.
    void Append(std::string_view text);
    // Stores the collected line (empty or not) in the slot of this frame and advances; a
    // non-empty line also becomes `lastLine`. The collected line is cleared in every case.
    void Commit();
    // The newest non-empty line since the last call (empty when none); any thread.
    LStringRef TakeLastLine();

    uint32_t mask = 0;
    uint32_t writeIndex = 0;
    uint32_t fftSize = 0;
    std::vector<LStringRef> lines;
    LStrStream currentLine;

private:
    std::mutex fMutex;
    LStringRef fLastLine;
};
