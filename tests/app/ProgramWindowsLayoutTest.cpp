// Every window the program opens, laid out as a person first sees it, in the default fonts and
// in two fonts a person may choose: fields hold a line of their font, no two panes cover each
// other, every pane lies inside its window, captions fit, sliders have room to move, and a
// second layout changes nothing; inside list rows and console channels too, with a document
// that shows a live source and its grid.
#include "analysis/records/SnxFields.h"
#include "analysis/events/CEventWindow.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/views/SNXCHCELL.h"
#include "controls/headers/CRespText.h"
#include "controls/headers/CRowHeader.h"
#include "platform/audio/AudioInput.h"
#include "controls/CViewPrefs.h"
#include "controls/lists/CCellIter.h"
#include "controls/lists/LCellGrid.h"
#include "controls/settings/CMenuKeyDlg.h"
#include "controls/std/CSlider.h"
#include "foundation/core/LStrStream.h"
#include "outputs/consoles/CMIDICONSOLE.h"
#include "outputs/consoles/CMIDICONSOLECELL.h"
#include "outputs/consoles/CMIDIConsoleList.h"
#include "outputs/defs/CCtlDefList.h"
#include "outputs/editor/CFaderCell.h"
#include "outputs/editor/CFaderFrame.h"
#include "tests/foundation/TempFiles.h"
#include "controls/edit/LEditText.h"
#include "platform/draw/Bitmap.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "shell/windows/Displays.h"
#include "tests/app/AppRunKit.h"
#include "tests/support/FireDueTimers.h"
#include "platform/runloop/RunLoop.h"
#include "tests/support/ProgramWindows.h"
#include "ui/frames/LFrame.h"
#include "ui/panes/LPaneContext.h"
#include "ui/panes/LCaptionPane.h"
#include "ui/menus/KeyEquiv.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace {

constexpr uint32_t kFontIds = 4;

struct FontSetting {
    const char* name;
    const char* family;   // empty: the program's own fonts
    float size;
};

const FontSetting kFontSettings[] = {
    {"default fonts", "", 0},
    {"DejaVu Serif 12", "DejaVu Serif", 12},
    {"DejaVu Sans 16", "DejaVu Sans", 16},
};

// A pane as the check names it: the window, the path of child numbers, the class.
std::string Name(const std::string& window, const std::string& path, const LPane& pane)
{
    return window + " pane " + path + " (" + typeid(pane).name() + ")";
}

// Every shown pane of the frame with its rect in the frame's coordinates, depth first.
void Walk(const LFrame& frame, const std::string& path,
          const std::function<void(const LFrame&, const LPane&, const std::string&)>& each)
{
    for (uint32_t n = 1; n <= frame.Children().Count(); ++n) {
        const LPane* pane = frame.PaneAt(n);
        if (!pane || !pane->IsShown())
            continue;
        const std::string here = path + "/" + std::to_string(n);
        each(frame, *pane, here);
        if (const auto* nested = dynamic_cast<const LFrame*>(pane))
            Walk(*nested, here, each);
    }
}

std::map<std::string, CLRect> Rects(const LFrame& window)
{
    std::map<std::string, CLRect> rects;
    Walk(window, "", [&](const LFrame&, const LPane& pane, const std::string& path) { rects[path] = pane.Rect(); });
    return rects;
}

std::string Show(const CLRect& r)
{
    std::ostringstream out;
    out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    return out.str();
}

// What a pane shows, in its parent's coordinates: its own rect, or for a frame the parts its
// shown panes show (a frame's panes lie in its coordinates).
std::vector<CLRect> ShownParts(const LPane& pane)
{
    const CLRect r = pane.Rect();
    const auto* frame = dynamic_cast<const LFrame*>(&pane);
    if (!frame || frame->Children().Count() == 0)
        return r.IsEmpty() ? std::vector<CLRect>{} : std::vector<CLRect>{r};
    std::vector<CLRect> parts;
    for (uint32_t n = 1; n <= frame->Children().Count(); ++n) {
        const LPane* child = frame->PaneAt(n);
        if (!child || !child->IsShown())
            continue;
        for (CLRect part : ShownParts(*child)) {
            part.Offset(r.left, r.top);
            parts.push_back(part);
        }
    }
    return parts;
}

std::optional<std::pair<CLRect, CLRect>> Overlap(const std::vector<CLRect>& a, const std::vector<CLRect>& b)
{
    for (const CLRect& x : a)
        for (const CLRect& y : b)
            if (CLRect::Intersects(x, y))
                return std::pair{x, y};
    return std::nullopt;
}

// Along its track a slider has this much room at least beside its knob.
constexpr int32_t kLeastSliderTravel = 80;
// The first cells of a list checked along each axis: further ones are laid out alike.
constexpr int32_t kCellsChecked = 4;

// The faults of one shown pane inside its parent: it lies inside, a field holds a line of its
// font, a one-line text shows whole, a slider has room to move.
void PaneFaults(const LFrame& parent, const LPane& pane, const std::string& name, std::vector<std::string>& faults)
{
    auto& mutablePane = const_cast<LPane&>(pane);
    LPaneContext context = LPaneContext::FromPane(pane);
    const CLRect r = pane.Rect();
    const CLRect own{0, 0, int32_t(parent.Rect().Width()), int32_t(parent.Rect().Height())};
    if (!r.IsEmpty() && (r.left < own.left || r.top < own.top || r.right > own.right || r.bottom > own.bottom))
        faults.push_back(name + " " + Show(r) + " reaches outside " + Show(own));
    if (dynamic_cast<const LEditText*>(&pane)) {
        const int32_t needed = mutablePane.PrefHeight(&context, 0);
        if (r.Height() < needed)
            faults.push_back(name + " is " + std::to_string(r.Height()) + " px tall for a line of " +
                             std::to_string(needed));
    }
    if (const auto* caption = dynamic_cast<const LCaptionPane*>(&pane)) {
        const bool oneLine = caption->Mode() == 0 || caption->Mode() == 3;
        const int32_t width = mutablePane.PrefWidth(&context, 0);
        if (oneLine && !caption->Text().IsEmpty() && r.Width() < width)
            faults.push_back(name + " \"" + std::string(caption->Text().View()) + "\" is " +
                             std::to_string(r.Width()) + " px wide for " + std::to_string(width));
    }
    const int32_t travel = std::abs(int32_t(r.Width()) - int32_t(r.Height()));
    if (dynamic_cast<const CSlider*>(&pane) && travel < kLeastSliderTravel)
        faults.push_back(name + " " + Show(r) + " moves " + std::to_string(travel) + " px");
}

// The faults inside the first cells of a list (its rows, a console's channels), through the
// panes that stand for them.
void CellFaults(LCellGrid& grid, const std::string& name, std::vector<std::string>& faults)
{
    for (int32_t row = 0; row < std::min(grid.Rows(), kCellsChecked); ++row)
        for (int32_t column = 0; column < std::min(grid.Columns(), kCellsChecked); ++column) {
            CCellIter cell(grid, {column, row}, false);
            const auto* frame = dynamic_cast<const LFrame*>(cell.Pane());
            if (!frame)
                continue;
            const std::string here = name + " cell " + std::to_string(column) + "," + std::to_string(row);
            Walk(*frame, "", [&](const LFrame& parent, const LPane& pane, const std::string& path) {
                PaneFaults(parent, pane, Name(here, path, pane), faults);
            });
        }
}

// The widest key text the shortcut dialog may show: any key a person types with every
// modifier held (Shift shows with letters only).
LStringRef WidestKeyText(LCaptionPane& display)
{
    LPaneContext context = LPaneContext::FromPane(display);
    LStringRef widest;
    int32_t most = -1;
    for (int key = 32; key < 127; ++key) {
        if (key >= 'a' && key <= 'z')
            continue;  // letters are keys in upper case
        const bool letter = key >= 'A' && key <= 'Z';
        LStrStream text;
        const uint32_t mask = KeyEquiv::kControl | KeyEquiv::kOption | KeyEquiv::kCommand | (letter ? KeyEquiv::kShift : 0);
        if (!KeyEquiv::Render({uint8_t(key), mask}, text))
            continue;
        (void)display.SetText(LStringRef(text.CStr()));
        if (const int32_t width = display.PrefWidth(&context, 0); width > most)
            most = width, widest = display.Text();
    }
    return widest;
}

// The faults a person would meet in the window as it is laid out now.
std::vector<std::string> Faults(LFrame& window, const std::string& name)
{
    std::vector<std::string> faults;
    // The shortcut dialog as it shows the widest key a person may press.
    auto* shortcut = dynamic_cast<CMenuKeyDlg*>(&window);
    auto* keyText = shortcut ? const_cast<LCaptionPane*>(&shortcut->KeyDisplay()) : nullptr;
    if (keyText)
        (void)keyText->SetText(WidestKeyText(*keyText));
    Walk(window, "", [&](const LFrame& parent, const LPane& pane, const std::string& path) {
        PaneFaults(parent, pane, Name(name, path, pane), faults);
        if (auto* grid = dynamic_cast<const LCellGrid*>(&pane))
            CellFaults(const_cast<LCellGrid&>(*grid), Name(name, path, pane), faults);
    });
    if (keyText)
        (void)keyText->SetText(LStringRef());
    // Shown siblings with something to show do not cover each other.
    std::function<void(const LFrame&, const std::string&)> siblings = [&](const LFrame& frame, const std::string& path) {
        std::vector<std::pair<uint32_t, std::vector<CLRect>>> shown;
        for (uint32_t n = 1; n <= frame.Children().Count(); ++n) {
            const LPane* pane = frame.PaneAt(n);
            if (!pane || !pane->IsShown())
                continue;
            shown.emplace_back(n, ShownParts(*pane));
            if (const auto* nested = dynamic_cast<const LFrame*>(pane))
                siblings(*nested, path + "/" + std::to_string(n));
        }
        for (size_t i = 0; i < shown.size(); ++i)
            for (size_t j = i + 1; j < shown.size(); ++j)
                if (const auto both = Overlap(shown[i].second, shown[j].second))
                    faults.push_back(name + " pane " + path + "/" + std::to_string(shown[i].first) + " " +
                                     Show(both->first) + " covers " + std::to_string(shown[j].first) + " " +
                                     Show(both->second));
    };
    siblings(window, "");
    // A second layout finds nothing left to do.
    const std::map<std::string, CLRect> first = Rects(window);
    window.Relayout();
    const std::map<std::string, CLRect> second = Rects(window);
    for (const auto& [path, rect] : first) {
        const auto again = second.find(path);
        if (again == second.end() || !(again->second == rect))
            faults.push_back(name + " pane " + path + " moves from " + Show(rect) + " to " +
                             (again == second.end() ? std::string("hidden") : Show(again->second)) +
                             " on a second layout");
    }
    return faults;
}

bool Resizable(LFrame& window)
{
    const plat::Window* native = window.Window() ? window.Window()->Native() : nullptr;
    return native && (native->StyleMask() & plat::kStyleResizable);
}

class ProgramWindowsLayout : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
        document = CApp::Get()->OpenDocument(std::string());
        ASSERT_NE(document, nullptr);
    }
    void TearDown() override
    {
        plat::AudioInput::SetDefaultName("");
        if (!reopened.empty())
            std::filesystem::remove(reopened);
        AppRunTest::TearDown();
    }
    // The document, with an OSC fader, saved and opened again on the sound input as at a
    // restart, once the input's first samples have named its type.
    void ReopenOnTheSoundInput()
    {
        plat::AudioInput::SetDefaultName("sim:tone");
        reopened = TempPath("live.snx");
        ChooseCommand(document, "CAppCmd_AddFdr");
        LObject::SetByte(document->Document().Fader(0), nullptr, kFadrFtyp, 9, LObject::Merge::No);
        ASSERT_TRUE(document->Save(reopened));
        LObject* record = document->WindowRecord();
        LMessage::Send(LMessage(LFrame::msgClose, document, CApp::Get()));
        LObject::SetString(record, nullptr, kWindPort, LStringRef("Sound In"), LObject::Merge::No);
        LObject::SetByte(record, nullptr, kWindLsrc, CSpecWindow::kLiveSource, LObject::Merge::No);
        document = CApp::Get()->OpenDocument(reopened);
        ASSERT_NE(document, nullptr);
        ASSERT_NE(document->LiveSource(), nullptr);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!document->ChannelList().SourceType() && std::chrono::steady_clock::now() < end) {
            (void)plat::RunLoop::Current().RunPending(plat::kModeDefault);
            (void)FireDueTimers();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_NE(document->ChannelList().SourceType(), nullptr) << "the sound input delivers";
    }
    static void UseFonts(const FontSetting& setting)
    {
        for (uint32_t id = 0; id < kFontIds; ++id)
            CViewPrefs::Shared().SetFont(id, {LStringRef(setting.family), setting.size});
    }
    // Every fault of every window, opened afresh.
    std::vector<std::string> AllFaults(const std::string& setting)
    {
        std::vector<std::string> faults;
        ProgramWindowsHost host{*CApp::Get(), *document, user, windows};
        for (const ProgramWindow& entry : ProgramWindows()) {
            bool visited = false;
            entry.open(host, [&](LFrame& window) {
                visited = true;
                // Drawn once, as a person first sees it: lists size their rows as they draw them.
                if (window.Window() && window.Window()->Native())
                    (void)plat::DisplayCycle::Display(*window.Window()->Native());
                for (std::string& fault : Faults(window, setting + ", " + entry.name))
                    faults.push_back(std::move(fault));
                if (!Resizable(window))
                    return;
                // Maximized: the whole visible screen.
                const CLRect screen = GetMainScreenVisibleRect();
                window.PlaceWindow(screen, nullptr);
                // Some windows keep a largest size of their own; the document window has none.
                if (entry.layout == "SNXWIN" && window.Rect().Width() < screen.Width() * 9 / 10)
                    faults.push_back(setting + ", " + entry.name + " does not take the screen's width");
                for (std::string& fault : Faults(window, setting + ", " + entry.name + " maximized"))
                    faults.push_back(std::move(fault));
            });
            if (!visited)
                faults.push_back(setting + ", " + entry.name + " did not open");
        }
        return faults;
    }

    CSpecWindow* document = nullptr;
    std::string reopened;
};

std::string Lines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

} // namespace

TEST_F(ProgramWindowsLayout, EveryWindowIsLaidOutForAPersonInEachFont)
{
    // Rows in every list: channels of a live source with the grid shown, a fader, an event text.
    ASSERT_NO_FATAL_FAILURE(ReopenOnTheSoundInput());
    LObject::SetByte(document->WindowRecord(), nullptr, kWindGrid, 1, LObject::Merge::No);
    ChooseCommand(document, "cEventText");
    ASSERT_NE(document->EventWindow(), nullptr);
    document->EventWindow()->List().AddEvent();
    document->EventWindow()->HideWindow();
    std::vector<std::string> faults;
    for (const FontSetting& setting : kFontSettings) {
        if (*setting.family)
            UseFonts(setting);
        for (std::string& fault : AllFaults(setting.name))
            faults.push_back(std::move(fault));
    }
    EXPECT_EQ(faults.size(), 0u) << Lines(faults);
}

TEST_F(ProgramWindowsLayout, AnOpenedDocumentsFaderRowHoldsItsWholeOutputPanel)
{
    // A document with an OSC fader, saved and opened again as File > Open does.
    const std::string path = TempPath("osc-fader.snx");
    ChooseCommand(document, "CAppCmd_AddFdr");
    LObject::SetByte(document->Document().Fader(0), nullptr, kFadrFtyp, 9, LObject::Merge::No);
    ASSERT_TRUE(document->Save(path));
    LMessage::Send(LMessage(LFrame::msgClose, document, CApp::Get()));
    CSpecWindow* opened = CApp::Get()->OpenDocument(path);
    ASSERT_NE(opened, nullptr);

    // The window is drawn once, as it is when it first shows.
    ASSERT_TRUE(windows.SnapshotPng(*opened->Window()->Native(), TempPath("osc-fader.png")));
    CFaderList& list = opened->FaderFrame().List();
    CCellIter row(list, {0, 0}, false);
    auto* cell = dynamic_cast<CFaderCell*>(row.Pane());
    ASSERT_NE(cell, nullptr);
    const CLRect panel = cell->Panel().Rect();
    EXPECT_LE(panel.bottom, cell->Rect().Height()) << "the output's panel lies inside its row";
    const CCtlDefList* definitions = cell->Panel().List();
    ASSERT_NE(definitions, nullptr);
    ASSERT_EQ(definitions->Count(), 2u) << "port and address";
    for (uint32_t i = 0; i < definitions->Count(); ++i) {
        LPane& field = *cell->Panel().Control(i);
        LPaneContext context = LPaneContext::FromPane(field);
        EXPECT_GE(field.Rect().Height(), field.PrefHeight(&context, 0)) << definitions->Id(i).View();
        EXPECT_LE(field.Rect().bottom, panel.Height()) << definitions->Id(i).View();
    }
    const CLRect shown = opened->FaderFrame().Rect();
    EXPECT_GE(shown.Height(), list.CellHeight()) << "the fader list shows the whole row";
    EXPECT_LE(list.CellWidth(), list.Rect().Width())
        << "from its name to its level meter, at the window's first size: " << list.CellWidth() << " in "
        << list.Rect().Width();
    std::filesystem::remove(path);
    std::filesystem::remove(TempPath("osc-fader.png"));
}

TEST_F(ProgramWindowsLayout, AnOutputKindChosenForARowShowsItsFieldsInTheRow)
{
    ChooseCommand(document, "CAppCmd_AddFdr");
    CFaderList& list = document->FaderFrame().List();
    {
        CCellIter shown(list, {0, 0}, false);  // the row as it first shows
        ASSERT_NE(shown.Pane(), nullptr);
    }
    // The row's Output pop-up writes the kind into the fader's record.
    LObject::SetByte(document->Document().Fader(0), nullptr, kFadrFtyp, 9, LObject::Merge::No);
    CCellIter row(list, {0, 0}, false);
    auto* cell = dynamic_cast<CFaderCell*>(row.Pane());
    ASSERT_NE(cell, nullptr);
    CCtlPanel& panel = cell->Panel();
    ASSERT_NE(panel.List(), nullptr);
    LPaneContext context = LPaneContext::FromPane(panel);
    EXPECT_GE(panel.Rect().Height(), panel.PrefHeight(&context, 0)) << "the panel has room for the fields";
    for (uint32_t i = 0; i < panel.List()->Count(); ++i) {
        const CLRect field = panel.Control(i)->Rect();
        EXPECT_GE(field.top, 0) << panel.List()->Id(i).View();
        EXPECT_LE(field.bottom, panel.Rect().Height()) << panel.List()->Id(i).View();
    }
}

TEST_F(ProgramWindowsLayout, FadersAddedAfterTheWindowIsResizedShowTheirRowsInsideTheList)
{
    // The window manager gives the window a new size, as a person maximizing it does.
    plat::Window& native = *document->Window()->Native();
    plat::Rect frame = native.Frame();
    frame.width = 1400;
    frame.height = 850;
    native.SetFrame(frame, true);
    CFaderList& list = document->FaderFrame().List();
    for (int32_t added = 1; added <= 3; ++added) {
        ChooseCommand(document, "CAppCmd_AddFdr");
        ASSERT_EQ(list.Rows(), added);
        const int32_t last = added - 1;
        // The new row has a pane of its own, not the prototype's picture, before the pointer
        // comes near it.
        CCellIter row(list, {0, last}, true);
        ASSERT_TRUE(row.IsLive()) << "row " << last;
        auto* cell = dynamic_cast<CFaderCell*>(row.Pane());
        ASSERT_NE(cell, nullptr) << "row " << last;
        const CLRect shown = list.Rect();
        const CLRect rect = cell->Rect();
        EXPECT_GE(rect.top, shown.top) << "row " << last << " lies inside the list, at " << rect.top;
        EXPECT_LE(rect.bottom, shown.bottom) << "row " << last << " lies inside the list, to " << rect.bottom
                                             << " in " << shown.bottom;
        EXPECT_TRUE(cell->Name().HasFlags(kPaneShown | kPaneHostShown)) << "row " << last << " shows its name";
        EXPECT_TRUE(cell->OutputKind().HasFlags(kPaneShown | kPaneHostShown)) << "row " << last;
    }
    EXPECT_EQ(list.CellRect({0, 0}).top, list.Rect().top) << "the first row still shows";
}

TEST_F(ProgramWindowsLayout, TheMidiConsoleShowsEveryControlOfAChannelAboveItsScrollBar)
{
    ChooseCommand(document, "CAppCmd_MidiConsole");
    CMIDICONSOLE* console = document->MidiConsole();
    ASSERT_NE(console, nullptr);
    CCellIter column(console->List(), {0, 0}, false);
    auto* cell = dynamic_cast<CMIDICONSOLECELL*>(column.Pane());
    ASSERT_NE(cell, nullptr);
    CCtlPanel& panel = cell->Panel();
    ASSERT_NE(panel.List(), nullptr);
    LPaneContext context = LPaneContext::FromPane(panel);
    EXPECT_GE(panel.Rect().Height(), panel.PrefHeight(&context, 0)) << "the channel's column is as tall as it needs";
    for (uint32_t i = 0; i < panel.List()->Count(); ++i)
        EXPECT_LE(panel.Control(i)->Rect().bottom, panel.Rect().Height()) << panel.List()->Id(i).View();
    EXPECT_LE(console->List().Rect().bottom, console->Navi().Rect().Height()) << "the list lies inside its frame";
}

TEST_F(ProgramWindowsLayout, AReopenedDocumentOnTheSoundInputShowsItsLevelTextsAtOnce)
{
    // A document left on the sound input, with an OSC fader, opened again as at a restart.
    ASSERT_NO_FATAL_FAILURE(ReopenOnTheSoundInput());
    CSpecWindow* opened = document;

    // Every level text of the first row fits the header it is drawn in.
    auto levelTexts = [&] {
        std::vector<std::string> faults;
        CCellIter row(opened->ChannelList(), {0, 0}, false);
        auto* cell = dynamic_cast<SNXCHCELL*>(row.Pane());
        if (!cell)
            return std::vector<std::string>{"no first row"};
        for (CRowHeader* header : {&cell->Spectrum().Header(), &cell->Data().Header()}) {
            for (int32_t i = 0; i < header->ItemCount(); ++i) {
                CRespText& item = *header->Item(i);
                LPaneContext context = LPaneContext::FromPane(item);
                const std::string text(item.Text().View());
                if (text.empty() || !item.IsShown() || item.Rect().Width() < item.PrefWidth(&context, 0))
                    faults.push_back("'" + text + "' in " + Show(item.Rect()) + " needs " +
                                     std::to_string(item.PrefWidth(&context, 0)));
            }
        }
        return faults;
    };
    EXPECT_EQ(Lines(levelTexts()), "") << "as the window first shows";
    UseFonts(kFontSettings[1]);  // lays every window out again
    EXPECT_EQ(Lines(levelTexts()), "") << "after a view font changed";
    LMessage::Send(LMessage(LFrame::msgClose, opened, CApp::Get()));
}

TEST_F(ProgramWindowsLayout, TheWaveformsGridStepShowsAndGoesWithTheGrid)
{
    ASSERT_NO_FATAL_FAILURE(ReopenOnTheSoundInput());
    plat::Window& native = *document->Window()->Native();
    // With the grid set or cleared and the window drawn again: the pixels other than the strip's
    // background across the first `width` of the first row's waveform strip.
    auto inkOfStep = [&](uint8_t grid, int32_t width) {
        LObject::SetByte(document->WindowRecord(), nullptr, kWindGrid, grid, LObject::Merge::No);
        for (int turn = 0; turn < 20; ++turn)
            (void)plat::RunLoop::Current().RunPending(plat::kModeDefault), (void)FireDueTimers();
        (void)plat::DisplayCycle::Display(native);
        CCellIter row(document->ChannelList(), {0, 0}, true);
        auto* cell = dynamic_cast<SNXCHCELL*>(row.Pane());
        const plat::Bitmap* image = native.BackingImage();
        if (!cell || !image)
            return -1;
        const LPaneContext strip = LPaneContext::FromPane(cell->Data().GridInfo());
        const int top = image->Height() - int(document->Rect().Height()) + strip.originY;
        int ink = 0;
        for (int y = top; y < top + int(cell->Data().GridInfo().Rect().Height()); ++y)
            for (int x = strip.originX; x < strip.originX + width; ++x)
                ink += image->Pixel(x, y) != image->Pixel(strip.originX, top) ? 1 : 0;
        return ink;
    };
    constexpr int32_t kStepWidth = 40;
    EXPECT_GT(inkOfStep(1, kStepWidth), 0) << "the step shows with the grid";
    EXPECT_EQ(inkOfStep(0, kStepWidth), 0) << "and goes with it";
}
