#include "analysis/window/RecordFileName.h"
#include "analysis/window/CSpecWindow.h"

#include "foundation/core/LStrStream.h"
#include "platform/system/WallClock.h"
#include "shell/system/AbsoluteTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

namespace {

// 2026-03-04 04:06:07.9 GMT, in seconds since 1970.
constexpr double kInstant = 1772597167.9;
constexpr int64_t kOneHourEast = 3600;

std::string Padded(uint32_t n, uint32_t width)
{
    LStrStream out;
    AppendPaddedNumber(n, width, out);
    return std::string(out.View());
}

std::string Sanitized(std::string_view text)
{
    LStrStream out;
    SanitizeFileName(text, out);
    return std::string(out.View());
}

} // namespace

TEST(RecordFileName, NamesTheSourceAndTheLocalSecondOfTheInjectedClock)
{
    const plat::FixedWallClock fixed(kInstant, kOneHourEast);
    const plat::ScopedWallClock installed(fixed);
    const double local = LocalAbsoluteTime(GetAbsoluteTime());
    EXPECT_EQ(RecordFileName("Sound In/1", "wav", local), "Sound In_1 2026_03_04 05_06_07.wav")
        << "blanks stay, the slash, hyphens and colons become underscores, the seconds are cut";
    EXPECT_EQ(RecordFileName("TCP Text Stream", "", local), "TCP Text Stream 2026_03_04 05_06_07");
    EXPECT_EQ(RecordFileName(std::string(300, 'x'), "tks", local).size(), 200u + 20u + 4u)
        << "a long source name is cut to keep the file name within limits";
}

TEST(RecordFileName, PaddedNumbersKeepTheirLastDigits)
{
    const std::tuple<uint32_t, uint32_t, const char*> rows[] = {
        {7, 2, "07"}, {2026, 4, "2026"}, {0, 3, "000"}, {12345, 2, "45"}, {4294967295u, 10, "4294967295"}, {5, 0, ""}};
    for (const auto& [n, width, text] : rows)
        EXPECT_EQ(Padded(n, width), text) << n << " in " << width;
}

TEST(RecordFileName, ControlCharactersAndLineEndsNeverReachTheName)
{
    EXPECT_EQ(Sanitized("a b\tc\nd\re\x7f" "f:g/h\xc3\xa9"), "a b_c_d_e_f_g_h__");
    EXPECT_EQ(Sanitized(""), "");
}

TEST(RecordFileName, TimeCaptionRoundsExactHalvesAwayFromZero)
{
    const std::pair<float, const char*> rows[] = {{0.5f, " 0:00:01"},  {0.49f, " 0:00:00"}, {59.5f, " 0:01:00"},
                                                  {3599.5f, " 1:00:00"}, {-3.0f, " 0:00:00"}, {NAN, " 0:00:00"}};
    for (const auto& [seconds, text] : rows)
        EXPECT_EQ(std::string(CSpecWindow::ShowTime(seconds).View()), text) << seconds;
}
