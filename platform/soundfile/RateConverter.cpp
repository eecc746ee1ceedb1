#include "platform/soundfile/RateConverter.h"

#include <samplerate.h>

#include <algorithm>
#include <cstdlib>

namespace plat {

namespace {

bool Grow(float*& buffer, long& capacity, long frames)
{
    if (frames <= capacity)
        return true;
    auto* grown = static_cast<float*>(std::realloc(buffer, sizeof(float) * size_t(frames) * 2));
    if (!grown)
        return false;
    buffer = grown;
    capacity = frames;
    return true;
}

} // namespace

RateConverter::RateConverter()
{
    int error = 0;
    fState = src_new(SRC_SINC_FASTEST, 2, &error);
}

RateConverter::~RateConverter()
{
    if (fState)
        src_delete(static_cast<SRC_STATE*>(fState));
    std::free(fIn);
    std::free(fOut);
}

void RateConverter::Reset()
{
    if (fState)
        src_reset(static_cast<SRC_STATE*>(fState));
}

RateConverter::Result RateConverter::Process(const int16_t* in, long inFrames, int16_t* out, long outFrames,
    double playbackRate, bool endOfInput)
{
    Result result;
    if (!fState || inFrames < 0 || outFrames < 0 || !Grow(fIn, fInCapacity, inFrames)
        || !Grow(fOut, fOutCapacity, outFrames))
        return result;
    src_short_to_float_array(in, fIn, int(inFrames * 2));
    SRC_DATA data{};
    data.data_in = fIn;
    data.data_out = fOut;
    data.input_frames = inFrames;
    data.output_frames = outFrames;
    data.end_of_input = endOfInput ? 1 : 0;
    data.src_ratio = 1.0 / std::clamp(playbackRate, 1.0 / 256, 256.0);
    if (src_process(static_cast<SRC_STATE*>(fState), &data) != 0)
        return result;
    src_float_to_short_array(fOut, out, int(data.output_frames_gen * 2));
    result.consumed = data.input_frames_used;
    result.produced = data.output_frames_gen;
    result.ok = true;
    return result;
}

} // namespace plat
