#pragma once
#include <cstdint>
#include <span>
#include <vector>

// One complex single-precision value, laid out {re, im} as the FFT buffers hold it.
struct SComplex32 {
    float re;
    float im;
};

struct CFFTKernel;

// Radix-2 decimation-in-time FFT plan of size N = 2^order, shared by every channel of a window.
// The input is expected in bit-reversed order (see `bitrev`); no scaling in either direction.
// The stage loops come in builds for several vector units; a plan uses the widest one the
// processor has, and every build gives exactly the same values.
class CFFT {
public:
    enum class Direction { Forward, Inverse };
    // Builds of the stage loops: the portable one and the one for AVX2 (x86-64 only).
    enum class Path { Generic, Avx2 };

    // The builds this processor runs, the portable one first and the widest last.
    static std::vector<Path> AvailablePaths();
    // Makes the plan use one build; false (nothing changed) when this processor cannot run it.
    bool UsePath(Path path);
    Path CurrentPath() const;

    // The largest order a plan accepts; larger sizes make no sense for live analysis.
    static constexpr uint32_t kMaxOrder = 20;

    // The order analysis uses for a stored order setting: kept within 1 .. kMaxOrder so that
    // a damaged or hand-edited document can never ask for an absurd or empty transform.
    static uint32_t ClampOrder(int order);

    // Builds the tables for 2^order points. All or nothing: on failure (order above kMaxOrder
    // or no memory) the plan keeps its previous state and false is returned.
    [[nodiscard]] bool Init(uint32_t order);

    // Transforms data in place. Returns false, leaving data untouched, when data does not
    // hold exactly N values or the plan was never initialised. A plan works in its own scratch
    // space, so it transforms one buffer at a time (the render pass runs on one thread).
    bool Transform(std::span<SComplex32> data, Direction direction) const;

    // Calls visit(k, bitrev[k]) for every k below N, tile by tile: the indexes of a tile lie in
    // eight runs of eight, and so do their reversals, so that a load into bit-reversed order
    // reads and writes whole cache lines instead of one value per line.
    template <class Visit>
    void ForEachReversed(Visit&& visit) const
    {
        constexpr uint32_t kTileOrder = 3;
        constexpr uint32_t kSide = 1u << kTileOrder;
        const uint32_t* rev = bitrev.data();
        if (order < 2 * kTileOrder || bitrev.size() != size) {
            for (uint32_t k = 0; k < bitrev.size(); ++k)
                visit(k, rev[k]);
            return;
        }
        const uint32_t high = order - kTileOrder;
        const uint32_t middles = 1u << (order - 2 * kTileOrder);
        for (uint32_t m = 0; m < middles; ++m) {
            for (uint32_t c = 0; c < kSide; ++c) {
                for (uint32_t a = 0; a < kSide; ++a) {
                    const uint32_t k = (a << high) | (m << kTileOrder) | c;
                    visit(k, rev[k]);
                }
            }
        }
    }

    uint32_t order = 0;
    uint32_t size = 1;
    uint32_t half = 0;
    // Entries 0 .. N/2-1: forward factors (cos t, -sin t); N/2 .. N-1: inverse (cos t, sin t),
    // t = 2 pi j / N, computed in double and stored as f32.
    std::vector<SComplex32> twiddles;
    // Entry i is i with its low `order` bits reversed.
    std::vector<uint32_t> bitrev;

private:
    // The same factors as `twiddles`, regrouped per stage so that every stage reads them
    // contiguously: forward stages first (stage s at offset 2^s - 1), then the inverse ones;
    // real and imaginary parts apart, as the stages work on split values.
    std::vector<float> fStageRe;
    std::vector<float> fStageIm;
    // The values being transformed, split into real and imaginary parts.
    mutable std::vector<float> fScratchRe;
    mutable std::vector<float> fScratchIm;
    const CFFTKernel* fKernel = nullptr; // null: the widest one available
};
