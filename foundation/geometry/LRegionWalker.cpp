#include "foundation/geometry/LRegionWalker.h"
#include "foundation/core/LGrowStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
// Above every band start: marks a band list that is used up.
constexpr int64_t kNoMoreBands = std::numeric_limits<int64_t>::max();

int32_t SaturatingAdd(int32_t a, int32_t b)
{
    return int32_t(std::clamp(int64_t(a) + b, int64_t(kMin32), int64_t(kMax32)));
}

// A growable block of i32 words. A failed allocation sticks: later appends do nothing and
// Failed() tells the owner to give up the result.
class WordBuffer {
public:
    WordBuffer() noexcept { (void)fStore.Init(&fData, &fCapacity, sizeof(int32_t)); }
    WordBuffer(const WordBuffer&) = delete;
    WordBuffer& operator=(const WordBuffer&) = delete;
    ~WordBuffer() { fStore.Free(); }

    bool Failed() const { return fFailed; }
    uint32_t Size() const { return fSize; }
    int32_t* Data() { return static_cast<int32_t*>(fData); }
    void Clear() { fSize = 0; }

    void Append(int32_t word)
    {
        if (fFailed)
            return;
        // Doubling growth keeps appends amortised constant.
        if (fSize == fCapacity && !fStore.Reserve(fSize + 1, std::max<uint32_t>(fSize, 32), true)) {
            fFailed = true;
            return;
        }
        Data()[fSize++] = word;
    }

    // Hands the block to the caller, who frees it with std::free.
    int32_t* Take()
    {
        fSize = 0;
        return static_cast<int32_t*>(fStore.Take());
    }

private:
    void* fData = nullptr;
    uint32_t fCapacity = 0;
    uint32_t fSize = 0;
    bool fFailed = false;
    LGrowStore fStore;
};

// Spans of one band: n pairs {x0, x1} laid out as 2n boundaries.
struct Spans {
    const int32_t* x = nullptr;
    int32_t n = 0;
};

// A read cursor over one band list.
class BandCursor {
public:
    explicit BandCursor(const int32_t* words) : fNext(words + 1), fEnd(words + words[0]) {}

    int64_t NextY() const { return fNext < fEnd ? fNext[0] : kNoMoreBands; }
    bool Done() const { return fNext >= fEnd; }
    const Spans& Current() const { return fCurrent; }

    // Makes the next band current and returns its y.
    int32_t Advance()
    {
        const int32_t y = fNext[0];
        fCurrent = Spans{fNext + 2, fNext[1]};
        fNext += 2 + 2 * int64_t(fNext[1]);
        return y;
    }

private:
    const int32_t* fNext;
    const int32_t* fEnd;
    Spans fCurrent;
};

bool Covered(LRegionOp op, bool inA, bool inB)
{
    switch (op) {
    case LRegionOp::Intersect: return inA && inB;
    case LRegionOp::Union: return inA || inB;
    case LRegionOp::Xor: return inA != inB;
    case LRegionOp::Subtract: return inA && !inB;
    }
    return false;
}

// Sweeps the boundaries of both span sets in increasing x and writes the spans where the
// operation covers. Boundaries at the same x are taken together, so touching pieces join.
void CombineSpans(const Spans& a, const Spans& b, LRegionOp op, WordBuffer& out)
{
    out.Clear();
    const int32_t na = 2 * a.n, nb = 2 * b.n;
    int32_t i = 0, j = 0;
    bool inA = false, inB = false, on = false;
    int32_t start = 0;
    while (i < na || j < nb) {
        const int64_t xa = i < na ? a.x[i] : kNoMoreBands;
        const int64_t xb = j < nb ? b.x[j] : kNoMoreBands;
        const int32_t x = int32_t(std::min(xa, xb));
        if (xa == x) { inA = !inA; ++i; }
        if (xb == x) { inB = !inB; ++j; }
        const bool now = Covered(op, inA, inB);
        if (now == on)
            continue;
        if (now) {
            start = x;
        } else {
            out.Append(start);
            out.Append(x);
        }
        on = now;
    }
}

// Writes bands to the output list, dropping a band whose spans repeat the band before it, and
// keeps the bounds.
class BandWriter {
public:
    BandWriter() { fOut.Append(0); } // reserved for the word count

    void Emit(int32_t y, const int32_t* x, int32_t n)
    {
        if (n == fLastN && (n == 0 || std::memcmp(x, fOut.Data() + fLastAt, size_t(2 * n) * sizeof(int32_t)) == 0))
            return;
        fOut.Append(y);
        fOut.Append(n);
        const uint32_t at = fOut.Size();
        for (int32_t k = 0; k < 2 * n; ++k)
            fOut.Append(x[k]);
        if (fOut.Failed())
            return;
        fLastAt = at;
        fLastN = n;
        if (n > 0) {
            fLeft = std::min(fLeft, x[0]);
            fRight = std::max(fRight, x[2 * n - 1]);
        }
        fTop = std::min(fTop, y);
        fBottom = std::max(fBottom, y);
    }

    LBandResult Finish()
    {
        LBandResult result;
        if (fOut.Failed() || fOut.Size() < 2)
            return result;
        result.bounds = CLRect{fLeft, fTop, fRight, fBottom};
        if (fOut.Size() == uint32_t(LRegionWalker::kRectWords))
            return result;
        fOut.Data()[0] = int32_t(fOut.Size());
        result.words = fOut.Take();
        return result;
    }

private:
    WordBuffer fOut;
    uint32_t fLastAt = 0;
    int32_t fLastN = 0;
    int32_t fLeft = kMax32, fTop = kMax32, fRight = kMin32, fBottom = kMin32;
};

// Moves the spans by dx, holding them at the limits and dropping those that collapse.
void OffsetSpans(const Spans& spans, int32_t dx, WordBuffer& out)
{
    out.Clear();
    for (int32_t k = 0; k < spans.n; ++k) {
        const int32_t x0 = SaturatingAdd(spans.x[2 * k], dx);
        const int32_t x1 = SaturatingAdd(spans.x[2 * k + 1], dx);
        if (x0 >= x1)
            continue;
        out.Append(x0);
        out.Append(x1);
    }
}

} // namespace

void LRegionWalker::RectWords(const CLRect& rect, int32_t out[kRectWords])
{
    out[0] = kRectWords;
    out[1] = rect.top;
    out[2] = 1;
    out[3] = rect.left;
    out[4] = rect.right;
    out[5] = rect.bottom;
    out[6] = 0;
}

LBandResult LRegionWalker::Combine(const int32_t* a, const int32_t* b, LRegionOp op)
{
    BandCursor ca(a), cb(b);
    BandWriter writer;
    WordBuffer work;
    while (!ca.Done() || !cb.Done()) {
        const int64_t ya = ca.NextY(), yb = cb.NextY();
        const int64_t y = std::min(ya, yb);
        if (ya == y)
            ca.Advance();
        if (yb == y)
            cb.Advance();
        CombineSpans(ca.Current(), cb.Current(), op, work);
        if (work.Failed())
            return LBandResult{};
        writer.Emit(int32_t(y), work.Data(), int32_t(work.Size() / 2));
    }
    return writer.Finish();
}

LBandResult LRegionWalker::Offset(const int32_t* bands, int32_t dx, int32_t dy)
{
    BandCursor cursor(bands);
    BandWriter writer;
    WordBuffer work;
    while (!cursor.Done()) {
        const int32_t y = SaturatingAdd(cursor.Advance(), dy);
        if (y == kMax32) {
            // The rest lies at or beyond the lower limit: the region ends there.
            writer.Emit(kMax32, nullptr, 0);
            break;
        }
        if (y == kMin32 && !cursor.Done() && SaturatingAdd(int32_t(cursor.NextY()), dy) == kMin32)
            continue; // squeezed to no rows at the upper limit
        OffsetSpans(cursor.Current(), dx, work);
        if (work.Failed())
            return LBandResult{};
        writer.Emit(y, work.Data(), int32_t(work.Size() / 2));
    }
    return writer.Finish();
}
