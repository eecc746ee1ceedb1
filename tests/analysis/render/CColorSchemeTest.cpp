#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/CColorScheme.h"
#include "tests/analysis/records/SnxRecordTestKit.h"

#include <gtest/gtest.h>

namespace {

class CColorSchemeTest : public testing::Test {
protected:
    CColorSchemeTest() : control(&window) {}
    LObject* Colors() const { return prefs.Root()->GetChild(kPrefClrs); }

    UndoWindow window;
    LHandler control;
    CAppPrefs prefs;
};

} // namespace

TEST_F(CColorSchemeTest, ShortFieldsReadAsTheirDefaults)
{
    const struct {
        uint8_t field;
        uint32_t rgb;
    } defaults[] = {
        {kColsCbkg, 0x000000}, {kColsCgrd, 0x7F7F7F}, {kColsCsmp, 0xFF7F00},
        {kColsCspc, 0x00FFBF}, {kColsCcrs, 0x7F7FFF}, {kColsCrop, 0},
    };
    ASSERT_NE(Colors(), nullptr);
    const uint8_t two[2] = {1, 2};
    LObject::SetArrayRaw(Colors(), kColsCsmp, two, 2);
    for (const auto& row : defaults)
        EXPECT_EQ(CColorScheme::GetColor(Colors(), row.field), row.rgb) << int(row.field);
    EXPECT_EQ(CColorScheme::Current(), Colors()) << "the published preferences' record";
}

TEST_F(CColorSchemeTest, SetColorStoresThreeBytesWithUndo)
{
    CColorScheme::SetColor(Colors(), &control, kColsCspc, 0x332211);
    ASSERT_EQ(Colors()->GetArrayCount(kColsCspc), 3u);
    const auto* bytes = static_cast<const uint8_t*>(Colors()->GetArrayData(kColsCspc));
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 3), (std::vector<uint8_t>{0x11, 0x22, 0x33}));
    EXPECT_EQ(CColorScheme::GetColor(Colors(), kColsCspc), 0x332211u);
    window.Undo();
    EXPECT_EQ(CColorScheme::GetColor(Colors(), kColsCspc), 0x00FFBFu) << "back to the default";
    CColorScheme::SetColor(nullptr, &control, kColsCspc, 1); // no record: nothing happens
}
