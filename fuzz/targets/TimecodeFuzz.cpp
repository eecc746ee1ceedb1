// Timecode entry: in every frame mode any text reads as a sign and a time within the day (or
// the given maximum), and the time shown reads back as itself.
#include "analysis/events/Timecode.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"

#include <string>
#include <string_view>

int FuzzTimecode(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (uint32_t mode : {1u, 24u, 25u, 29u, 30u, 100u}) {
        for (double maxSeconds : {double(Timecode::kDaySeconds), 3600.0}) {
            Timecode tc;
            tc.mode = mode;
            const int32_t sign = Timecode::Parse(text, tc, maxSeconds);
            FuzzCheck(sign == -1 || sign == 1, "the sign is -1 or +1");
            const int64_t units = Timecode::ToFrames(tc, 1024);
            FuzzCheck(units >= 0 && units <= int64_t(maxSeconds * 1024) + 1024, "the time keeps within the maximum");
            Timecode back;
            back.mode = mode;
            (void)Timecode::Parse(Timecode::Format(tc), back, maxSeconds);
            FuzzCheck(back == tc, "a shown time reads back as itself");
        }
    }
    return 0;
}
