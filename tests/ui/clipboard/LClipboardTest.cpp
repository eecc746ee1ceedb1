#include "ui/clipboard/LClipboard.h"
#include "ui/clipboard/LTextScrap.h"
#include "platform/window/Pasteboard.h"

#include <gtest/gtest.h>

namespace {

// A scrap of another type that never finds anything on the pasteboard.
class FaderScrap : public LScrap {
public:
    bool IsAvailable() const override { return false; }
    bool Load() override { return false; }
    void Put() const override {}
    bool CopyFrom(const LScrap&) override { return false; }
    const char* GetTypeName() const override { return "CFaderScrap"; }
};

std::string BoardText()
{
    const auto data = plat::Pasteboard::General().Data(plat::Pasteboard::kTypeText);
    return data ? std::string(data->begin(), data->end()) : std::string("<none>");
}

struct ClipboardTest : ::testing::Test {
    void SetUp() override { plat::Pasteboard::General().Clear(); }
    LClipboard clipboard;
};

TEST_F(ClipboardTest, HeldTextPastesEvenAfterTheBoardChangedAndOtherTypesFallBackToTheBoard)
{
    clipboard.Put(std::make_unique<LTextScrap>(LStringRef("copied here")));
    EXPECT_EQ(BoardText(), "copied here");
    plat::Pasteboard::General().Clear();
    plat::Pasteboard::General().SetData("public.png", {1, 2, 3});

    LTextScrap paste(LStringRef{});
    EXPECT_TRUE(clipboard.CanPaste(paste) && clipboard.Fetch(paste));
    EXPECT_EQ(paste.Text(), "copied here");
    // A held scrap of another type falls back to the pasteboard.
    clipboard.Put(std::make_unique<FaderScrap>());
    paste.SetText(LStringRef{});
    EXPECT_FALSE(clipboard.CanPaste(paste) || clipboard.Fetch(paste));

    plat::Pasteboard::General().SetText(plat::Pasteboard::kTypeText, "from elsewhere");
    EXPECT_TRUE(clipboard.CanPaste(paste) && clipboard.Fetch(paste));
    EXPECT_EQ(paste.Text(), "from elsewhere");
    EXPECT_TRUE(clipboard.CanPaste(FaderScrap())) << "the held scrap's own type";
}

TEST_F(ClipboardTest, EmptyTextIsHeldWithoutTouchingTheBoardAndPutAndClearLetGoOfTheHeldReference)
{
    plat::Pasteboard::General().SetText(plat::Pasteboard::kTypeText, "before");
    const uint32_t changes = plat::Pasteboard::General().ChangeCount();
    clipboard.Put(std::make_unique<LTextScrap>(LStringRef{}));
    EXPECT_EQ(BoardText(), "before");
    EXPECT_EQ(plat::Pasteboard::General().ChangeCount(), changes);
    ASSERT_NE(clipboard.Held(), nullptr);

    LTextScrap paste(LStringRef("x"));
    EXPECT_TRUE(clipboard.Fetch(paste));
    EXPECT_TRUE(paste.Text().IsEmpty()) << "the held empty scrap wins";
    // Put and Clear let go of the held reference.
    plat::Pasteboard::General().Clear();
    LRef keep(LString::Make("records"));
    clipboard.Put(std::make_unique<FaderScrap>());
    clipboard.SetHeldReference(keep);
    clipboard.Put(std::make_unique<FaderScrap>());
    EXPECT_FALSE(clipboard.HeldReference());
    clipboard.SetHeldReference(keep);
    clipboard.Clear();
    EXPECT_FALSE(clipboard.HeldReference());
    EXPECT_EQ(clipboard.Held(), nullptr);
    EXPECT_FALSE(clipboard.Fetch(paste));
}

TEST_F(ClipboardTest, TextScrapReadsPasteboardTextWithEmbeddedNulAndTheAccessorReadsRecordFlavours)
{
    plat::Pasteboard::General().SetData("FADR", {1, 2, 3});
    EXPECT_TRUE(clipboard.Accessor().HasFlavor(LScrapFlavor{LStringRef(), 0x46414452}));
    EXPECT_FALSE(clipboard.Accessor().HasFlavor(LScrapFlavor{LStringRef(), 0x45565458}));
    plat::Pasteboard::General().SetData(plat::Pasteboard::kTypeText, {'a', 0, 'b'});
    LTextScrap scrap;
    EXPECT_EQ(scrap.Text().Length(), 3u);
    EXPECT_TRUE(scrap.IsAvailable());
    EXPECT_FALSE(scrap.CopyFrom(FaderScrap()));
    plat::Pasteboard::General().Clear();
    EXPECT_FALSE(scrap.IsAvailable() || scrap.Load());
    EXPECT_EQ(scrap.Text().Length(), 3u) << "a failed load keeps the text";
}

} // namespace
