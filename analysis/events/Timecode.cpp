#include "analysis/events/Timecode.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// A number token saturates here: far beyond any field, far inside a double's exact range.
constexpr double kTokenLimit = 1e9;
constexpr int kMaxFields = 4;
// Drop-frame counting: 1798 labels in every minute but the tenth, 1001 real per 1000 nominal.
constexpr int64_t kDropMinuteFrames = 1798;

int64_t FloorMod(int64_t value, int64_t modulus)
{
    const int64_t r = value % modulus;
    return r < 0 ? r + modulus : r;
}

void AppendTwoDigits(std::string& out, uint32_t value)
{
    if (value <= 9)
        out += '0';
    out += std::to_string(value);
}

// Reads one number token (sign, digits, at most one "."); false when none starts at `at`.
// The whole part saturates at kTokenLimit.
bool ReadNumber(std::string_view text, size_t& at, double& value)
{
    size_t i = at;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    double whole = 0.0;
    double fraction = 0.0;
    double scale = 1.0;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        digits = true;
        if (point) {
            scale /= 10.0;
            fraction += (c - '0') * scale;
        } else {
            whole = std::min(whole * 10.0 + (c - '0'), kTokenLimit);
        }
    }
    if (!digits)
        return false;
    at = i;
    value = std::min(whole + fraction, kTokenLimit) * (negative ? -1.0 : 1.0);
    return true;
}

} // namespace

uint32_t Timecode::Rate(uint32_t mode)
{
    switch (mode) {
    case 1:
    case 24:
    case 25:
    case 100:
        return mode;
    default:
        return 30;
    }
}

int64_t Timecode::ToFrames(const Timecode& tc, int64_t units)
{
    const int64_t r = Rate(tc.mode);
    const int64_t f = (r / 2 + int64_t(tc.frames) * units) / r;
    const int64_t w = (int64_t(tc.minutes % 10) * 60 + tc.seconds) * units + f;
    const int64_t base = (int64_t(tc.hours) * 3600 + int64_t(tc.minutes / 10) * 600) * units;
    if (tc.mode != kDropFrame)
        return base + w;
    const int64_t d = w - (int64_t(tc.minutes % 10) * units * 2) / 30;
    return base + d + d / 1000;
}

void Timecode::FromFrames(Timecode& tc, int64_t n, int64_t units)
{
    if (units <= 0)
        units = 1;
    const int64_t r = Rate(tc.mode);
    const int64_t v = FloorMod(units / (2 * r) + n, units * kDaySeconds);
    const int64_t blocks = v / (units * 600);
    const int64_t rest = v % (units * 600);
    const int64_t hours = (blocks / 6) % 24;
    const int64_t b = blocks - hours * 6;
    tc.hours = uint8_t(hours);
    if (tc.mode != kDropFrame) {
        const int64_t s = rest / units;
        tc.seconds = uint8_t(s % 60);
        tc.minutes = uint8_t(b * 10 + s / 60);
        tc.frames = uint8_t(r * (rest % units) / units);
        return;
    }
    const int64_t frames = ((rest * 1000 / 1001) * 30) / units;
    if (frames <= 1) {
        tc.minutes = uint8_t(b * 10);
        tc.seconds = 0;
        tc.frames = uint8_t(frames);
        return;
    }
    const int64_t k = (frames - 2) / kDropMinuteFrames;
    const int64_t q = (frames - 2) % kDropMinuteFrames + 2;
    tc.minutes = uint8_t(b * 10 + k);
    tc.seconds = uint8_t(q / 30);
    tc.frames = uint8_t(q % 30);
}

std::string Timecode::Format(const Timecode& tc)
{
    std::string out;
    AppendTwoDigits(out, tc.hours);
    out += ':';
    AppendTwoDigits(out, tc.minutes);
    out += ':';
    AppendTwoDigits(out, tc.seconds);
    if (tc.mode != kSeconds) {
        out += tc.mode == kHundredths ? '.' : ':';
        AppendTwoDigits(out, tc.frames);
    }
    return out;
}

int32_t Timecode::Parse(std::string_view text, Timecode& tc, double maxSeconds)
{
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    const bool minus = at < text.size() && text[at] == '-';
    if (minus)
        ++at;
    double fields[kMaxFields] = {};
    int count = 0;
    bool numberSinceColon = false;
    while (at < text.size() && count < kMaxFields) {
        double value = 0.0;
        if (ReadNumber(text, at, value)) {
            fields[count++] = value;
            numberSinceColon = true;
            continue;
        }
        if (text[at] == ':') {
            if (!numberSinceColon)
                fields[count++] = 0.0;  // an empty field
            numberSinceColon = false;
        }
        ++at;
    }
    const double total = fields[0] * 3600.0 + fields[1] * 60.0 + fields[2] + fields[3] / Rate(tc.mode);
    // The last frame of the day: the rounding of FromFrames must not carry it to midnight.
    const double lastFrame = double(Timecode::kDaySeconds) - 1.0 / Rate(tc.mode);
    const double limit = std::clamp(maxSeconds, 0.0, lastFrame);
    const double magnitude = std::min(std::fabs(total), limit);
    Timecode nominal{tc.mode == kDropFrame ? 30u : tc.mode};
    FromFrames(nominal, int64_t(std::llround(magnitude * 1000.0)), 1000);
    tc.hours = nominal.hours;
    tc.minutes = nominal.minutes;
    tc.seconds = nominal.seconds;
    tc.frames = nominal.frames;
    if (tc.mode == kDropFrame && tc.seconds == 0 && tc.minutes % 10 != 0 && tc.frames <= 2)
        tc.frames = 2;
    return minus != (total < 0.0) ? -1 : 1;
}
