// A new user's way with several documents, the 3-D trail and the program without documents,
// by a person's hand. Each test is one step of that way that once went wrong.
#include "tests/display/ProgramReport.h"

#include <algorithm>
#include <optional>

namespace {

class TourDocuments : public ProgramReport {
protected:
    // The document windows the program reports, front to back.
    std::vector<ShownWindow> Documents()
    {
        std::vector<ShownWindow> documents = ReadShownWindows(fHome.Report());
        documents.erase(std::remove_if(documents.begin(), documents.end(),
                                       [](const ShownWindow& w) { return w.level != 0 || w.bar.empty(); }),
                        documents.end());
        return documents;
    }
    // The item of the open menu with the title; empty when no menu shows it.
    std::optional<Shown> Item(const std::string& menu, const std::string& title)
    {
        const std::optional<Shown> bar = Await(ShownPart::BarTitle, menu);
        if (!bar)
            return std::nullopt;
        fX.Click(bar->Middle());
        return Await(ShownPart::Row, title, 3000);
    }
    // The item of the submenu chosen as a person does: across to the submenu on the row that
    // opened it, then down to the item.
    void ChooseInSubmenu(const std::string& menu, const std::string& submenu, const std::string& title)
    {
        const std::optional<Shown> row = Item(menu, submenu);
        ASSERT_TRUE(row) << menu << " shows no " << submenu;
        fX.MoveTo(row->Middle());
        const std::optional<Shown> item = Await(ShownPart::Row, title, 3000);
        ASSERT_TRUE(item) << "the " << submenu << " submenu did not open";
        fX.MoveTo({item->rect.x + 10, row->Middle().y});
        fX.MoveTo(item->Middle());
        fX.Click(item->Middle());
        ASSERT_TRUE(RunUntil([&] { return !Find(ShownPart::Row, title); }, 3000)) << "the menu stayed open";
    }
    // Opens the menu, checks the item's mark is `before`, and clicks the item.
    void Toggle(const std::string& menu, const std::string& title, int before)
    {
        const std::optional<Shown> item = Item(menu, title);
        ASSERT_TRUE(item) << menu << " shows no " << title;
        ASSERT_EQ(item->state, before) << title << "'s check mark";
        fX.Click(item->Middle());
        ASSERT_TRUE(RunUntil([&] { return !Find(ShownPart::Row, title); }, 3000)) << "the menu stayed open";
    }
};

plat::Rect BarTitle(const ShownWindow& window, const std::string& title)
{
    for (const Shown& shown : window.bar)
        if (shown.title == title)
            return shown.rect;
    return {};
}

} // namespace

// A second document opens over the first; a click on the part of the first still in sight
// brings it in front, its menu bar whole. The second window used to be kept above the first
// by the window manager as if it were its dialog: the first became key behind it.
TEST_F(TourDocuments, AClickOnTheDocumentBehindBringsItInFront)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<ShownWindow> documents;
    ASSERT_TRUE(RunUntil([&] { return (documents = Documents()).size() == 1; })) << "no document window";
    const ShownWindow first = documents.front();
    fX.Tap("n", {"Control_L"});
    ASSERT_TRUE(RunUntil([&] {
        documents = Documents();
        return documents.size() == 2 && documents.front().number != first.number && documents.front().key;
    })) << "New opened no second document in front";
    ASSERT_TRUE(Await(ShownPart::BarTitle, "File")) << "the second window did not settle";
    const ShownWindow second = Documents().front();
    ASSERT_GT(second.rect.x, first.rect.x + 4) << "the second window hides the first one's left edge";
    // The front window's "File" title as the screen shows it, once drawn: the first window's must
    // look the same once it is in front.
    std::optional<plat::Bitmap> drawn;
    ASSERT_TRUE(RunUntil([&] {
        drawn = fX.Grab(BarTitle(second, "File"));
        for (int y = 0; y < drawn->Height(); ++y)
            for (int x = 0; x < drawn->Width(); ++x)
                if (Luma(drawn->Pixel(x, y)) < 100)
                    return true;
        return false;
    })) << "the second window's File title is not drawn";
    const plat::Bitmap frontFile = *drawn;
    fX.Click({first.rect.x + (second.rect.x - first.rect.x) / 2, first.rect.y + first.rect.height / 2});
    ASSERT_TRUE(RunUntil([&] {
        documents = Documents();
        return !documents.empty() && documents.front().number == first.number && documents.front().key;
    })) << "the click did not make the first window key";
    EXPECT_TRUE(RunUntil([&] { return SamePixels(fX.Grab(BarTitle(first, "File")), frontFile); }, 3000))
        << "the first window's menu bar stays hidden behind the second window";
}

// With a fader's band over the spectrum the trail is turned on and off again from the View
// menu: the spectrum goes back to its line and the program keeps running. Drawing the line
// with the trail's program linked anew without a fragment stage crashed Mesa's software
// rasteriser on the first pass.
TEST_F(TourDocuments, TheTrailTurnedOffUnderAFadersBandLeavesTheProgramRunning)
{
    ASSERT_NO_FATAL_FAILURE(Start({}, {"SONALYX_SOUND_INPUT=sim:tone"}));
    ASSERT_NO_FATAL_FAILURE(ChooseSource("Sound In"));
    ASSERT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Cancel"); })) << "the chooser stayed";
    ASSERT_NO_FATAL_FAILURE(Choose("Faders", "Add Fader"));
    ASSERT_TRUE(Await(ShownPart::Control, "Band sum")) << "no new fader";
    ASSERT_NO_FATAL_FAILURE(Toggle("View", "Show Trail", 0));
    RunUntil([] { return false; }, 800); // passes draw the trail and the band
    ASSERT_TRUE(fProgram->Alive());
    ASSERT_NO_FATAL_FAILURE(Toggle("View", "Show Trail", 1));
    RunUntil([] { return false; }, 800);
    ASSERT_TRUE(fProgram->Alive()) << "the program ended with status " << fProgram->Status();
    const std::optional<Shown> trail = Item("View", "Show Trail");
    ASSERT_TRUE(trail);
    EXPECT_EQ(trail->state, 0) << "the trail is still shown";
    fX.Tap("Escape");
}

// After a person has chosen four channels, New opens a document with four channel rows: its
// window is made tall enough for them and for the fader list under them. The rows' preferred
// height used to push the bar between views and fader list below the window's bottom: the
// fader list was gone and could not be dragged back.
TEST_F(TourDocuments, ANewDocumentWithFourChannelsShowsItsFaderList)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ChooseInSubmenu("Analysis", "Channels", "4"));
    fX.Tap("n", {"Control_L"});
    std::vector<ShownWindow> documents;
    ASSERT_TRUE(RunUntil([&] { return (documents = Documents()).size() == 2 && documents.front().key; }))
        << "New opened no second document in front";
    ASSERT_TRUE(Await(ShownPart::BarTitle, "File")) << "the second window did not settle";
    const auto listScroller = [](const ShownWindow& window) {
        for (const Shown& control : window.controls)
            if (control.kind == "scroller" && control.rect.height > 2 * control.rect.width &&
                control.rect.y >= window.rect.y && control.rect.y + control.rect.height <= window.rect.y + window.rect.height)
                return true;
        return false;
    };
    EXPECT_TRUE(RunUntil([&] {
        documents = Documents();
        return !documents.empty() && listScroller(documents.front());
    }, 3000)) << "the new document shows no fader list";
    EXPECT_GE(documents.front().rect.y, 0) << "the window reaches below the screen";
}

// The trail's depth submenu marks the depth in use, before and after a person chooses one. A
// new trail is 100 spectra deep, and the submenu offered no such depth: nothing was marked.
TEST_F(TourDocuments, TheTrailDepthSubmenuMarksTheDepthInUse)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Toggle("View", "Show Trail", 0));
    const auto marked = [&] {
        const std::optional<Shown> depth = Item("View", "Trail Depth");
        std::vector<std::string> titles;
        if (!depth)
            return titles;
        fX.MoveTo(depth->Middle());
        if (Await(ShownPart::Row, "8 Spectra", 3000))
            for (const ShownWindow& window : ReadShownWindows(fHome.Report()))
                for (const Shown& item : window.items)
                    if (item.state == 1 && item.title.find(" Spectra") != std::string::npos)
                        titles.push_back(item.title);
        fX.Tap("Escape");
        fX.Tap("Escape");
        RunUntil([&] { return !Find(ShownPart::Row, "Trail Depth"); }, 2000);
        return titles;
    };
    EXPECT_EQ(marked(), std::vector<std::string>{"100 Spectra"});
    ASSERT_NO_FATAL_FAILURE(ChooseInSubmenu("View", "Trail Depth", "64 Spectra"));
    EXPECT_EQ(marked(), std::vector<std::string>{"64 Spectra"});
}
