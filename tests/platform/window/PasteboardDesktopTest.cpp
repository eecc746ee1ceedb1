// The general pasteboard mirrors a desktop clipboard, read only when it changed.
#include "platform/window/Pasteboard.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowServer.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

class FakeClipboardBackend final : public WindowBackend {
public:
    void CreateSurface(const Window&) override {}
    void DestroySurface(const Window&) override {}
    void UpdateSurface(const Window&) override {}
    void Present(const Window&, const Bitmap&, const std::vector<PixelRect>&) override {}
    std::vector<Screen> ReportScreens() override { return {}; }
    void PollInput(EventQueue&) override {}
    std::optional<std::string> ClipboardText() override
    {
        ++reads;
        return text;
    }
    void SetClipboardText(const std::string& t) override
    {
        text = t;
        ++changes;
    }
    uint64_t ClipboardChanges() const override { return changes; }
    bool HasDesktopClipboard() const override { return true; }

    std::optional<std::string> text;
    uint64_t changes = 1;
    int reads = 0;
};

class PasteboardDesktop : public testing::Test {
protected:
    void SetUp() override { WindowServer::Shared().SetBackend(&fDesktop); }
    void TearDown() override
    {
        WindowServer::Shared().SetBackend(nullptr);
        Pasteboard::General().Clear();
    }
    static std::string Text(const Pasteboard& board)
    {
        const auto data = board.Data(Pasteboard::kTypeText);
        return data ? std::string(data->begin(), data->end()) : "<none>";
    }
    FakeClipboardBackend fDesktop;
};

TEST_F(PasteboardDesktop, ReadsTheDesktopTextOnlyWhenItChanged)
{
    fDesktop.text = "elsewhere";
    ++fDesktop.changes;
    Pasteboard& board = Pasteboard::General();
    EXPECT_EQ(Text(board), "elsewhere");
    for (int i = 0; i < 10; ++i) // menu updates ask "can paste" again and again
        EXPECT_TRUE(board.AvailableType({Pasteboard::kTypeText}));
    EXPECT_EQ(fDesktop.reads, 1);
    fDesktop.text.reset();
    ++fDesktop.changes;
    EXPECT_FALSE(board.AvailableType({Pasteboard::kTypeText}));
    EXPECT_EQ(fDesktop.reads, 2);
}

TEST_F(PasteboardDesktop, OwnTextGoesOutAndKeepsItsOtherTypes)
{
    Pasteboard& board = Pasteboard::General();
    board.Clear();
    board.SetText(Pasteboard::kTypeText, "ours");
    board.SetText("com.sonalyx.record", "private");
    EXPECT_EQ(fDesktop.text, "ours");
    ++fDesktop.changes; // the desktop tells of our own change
    EXPECT_EQ(Text(board), "ours");
    EXPECT_TRUE(board.Data("com.sonalyx.record"));
    fDesktop.text = std::string(Pasteboard::kMaxDesktopText + 1, 'x');
    ++fDesktop.changes;
    EXPECT_FALSE(board.AvailableType({Pasteboard::kTypeText})); // too long to take in
    EXPECT_FALSE(board.Data("com.sonalyx.record"));
}

TEST_F(PasteboardDesktop, TheDragPasteboardStaysInProcess)
{
    Pasteboard::Drag().Clear();
    Pasteboard::Drag().SetText(Pasteboard::kTypeText, "dragged");
    EXPECT_FALSE(fDesktop.text);
    EXPECT_EQ(fDesktop.reads, 0);
    Pasteboard::Drag().Clear();
}

} // namespace
} // namespace plat
