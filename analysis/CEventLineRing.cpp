#include "analysis/CEventLineRing.h"
#include "analysis/AllocFilled.h"
#include "analysis/CFFT.h"
#include "analysis/CSpectrumBuf.h"

#include <algorithm>

bool CEventLineRing::Alloc(uint32_t order, uint32_t ringOrder)
{
    if (order > CFFT::kMaxOrder || ringOrder > CSpectrumBuf::kMaxRingOrder)
        return false;
    const uint32_t length = 1u << std::max(order, ringOrder);
    std::vector<LStringRef> fresh;
    if (!AllocFilled(fresh, length, LStringRef()))
        return false;
    currentLine.Clear();
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fLastLine.Release();
    }
    lines.swap(fresh);
    mask = length - 1;
    writeIndex = 0;
    fftSize = 1u << order;
    return true;
}

void CEventLineRing::Append(std::string_view text)
{
    currentLine.Write(text);
}

void CEventLineRing::Commit()
{
    if (!lines.empty()) {
        LStringRef text(currentLine.View());
        if (!text.IsEmpty()) {
            std::lock_guard<std::mutex> lock(fMutex);
            fLastLine = text;
        }
        lines[writeIndex] = text;
        writeIndex = (writeIndex + 1) & mask;
    }
    currentLine.Clear();
}

LStringRef CEventLineRing::TakeLastLine()
{
    std::lock_guard<std::mutex> lock(fMutex);
    LStringRef line = fLastLine;
    fLastLine.Release();
    return line;
}
