// The fader editor over a real document: rows follow the faders, every field edits its fader
// with one undo step, and sound files dropped on a fader are checked.
#include "outputs/editor/CFaderFrame.h"

#include "analysis/records/SnxFields.h"
#include "foundation/records/CParamSet.h"
#include "outputs/editor/CFaderCell.h"
#include "shell/windows/CNativeWindowKind.h"
#include "tests/outputs/ConsoleTestKit.h"
#include "tests/support/PaneScreen.h"
#include "tests/support/SoundTools.h"
#include "tests/support/TempHome.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

class FaderEditor : public ConsoleFixture {
protected:
    FaderEditor()
    {
        fWindow = std::make_unique<LFrame>(&fDoc, nullptr, LWindowDef(1, static_cast<const CNativeWindowKind*>(fDocKind.Get())));
        fWindow->SetWindowContentRect(CLRect{20, 40, 1300, 700});
        fWindow->ShowWindow();
        fFrame = std::make_unique<CFaderFrame>(fWindow.get(), fWindow.get(), fDocument);
        fFrame->SetRect({0, 0, 1280, 600});
    }
    ~FaderEditor() override
    {
        fFrame.reset();
        fWindow.reset();
    }
    CFaderList& List() { return fFrame->List(); }
    CFaderCell& Row(int32_t row) { return LiveCellOf<CFaderCell>(List(), {0, row}); }
    void Fix(CNumVol& field, double value)
    {
        field.SetValue(value);
        LMessage::Send(LMessage(CNumVol::msgFix, &field, field.Parent()));
    }
    void Choose(LPopupList& popup, int32_t item)
    {
        (void)popup.SetSelection(item);
        LMessage::Send(LMessage(LPopupList::msgChanged, &popup, popup.Parent()));
    }
    LObject* Fader(int32_t i) const { return fDocument.Fader(i); }
    std::pair<float, float> Band(int32_t i) const { return {Fader(i)->GetFloat(kFadrFrql), Fader(i)->GetFloat(kFadrFrqh)}; }

    TempHome fHome;
    LRef fDocKind{new CNativeWindowKind(9)};
    std::unique_ptr<LFrame> fWindow;
    std::unique_ptr<CFaderFrame> fFrame;
};

} // namespace

TEST_F(FaderEditor, AddedFadersGetRowsAndTheNewOneIsSelected)
{
    EXPECT_EQ(List().Rows(), 0);
    List().AddFader();
    List().AddFader();
    EXPECT_EQ(List().Rows(), 2);
    EXPECT_TRUE(List().Selection().Equals(LRegion(CLRect{0, 1, 1, 2})));
    EXPECT_EQ((std::pair{Fader(0)->GetByte(kFadrCurrent), Fader(1)->GetByte(kFadrCurrent)}), (std::pair<uint8_t, uint8_t>{0, 1}));
    EXPECT_GT(fFrame->PreferredHeight(), List().CellHeight()) << "the frame asks room for its rows";
    ASSERT_TRUE(Undo());
    EXPECT_EQ(List().Rows(), 1);
}

TEST_F(FaderEditor, EveryFieldEditsItsFaderWithOneUndoStep)
{
    List().AddFader();
    struct Edit {
        const char* what;
        std::function<void(CFaderCell&)> apply;
        std::function<bool(const LObject&)> applied;
    };
    const Edit edits[] = {
        {"channel 4", [&](CFaderCell& c) { Fix(c.Channel(), 9); }, [](const LObject& f) { return f.GetByte(kFadrSchn) == 3; }},
        {"band low", [&](CFaderCell& c) { Fix(c.BandLow(), 15); }, [](const LObject& f) { return f.GetFloat(kFadrFrql) == 15.0f; }},
        {"input high", [&](CFaderCell& c) { Fix(c.InputHigh(), 40); }, [](const LObject& f) { return f.GetFloat(kFadrAmph) == 0.4f; }},
        {"output low", [&](CFaderCell& c) { Fix(c.OutputLow(), 70); }, [](const LObject& f) { return f.GetFloat(kFadrFdrl) == 0.7f; }},
        {"source", [&](CFaderCell& c) { Choose(c.SourceType(), 2); }, [](const LObject& f) { return f.GetByte(kFadrStyp) == 2; }},
        {"output kind", [&](CFaderCell& c) { Choose(c.OutputKind(), 9); }, [](const LObject& f) { return f.GetByte(kFadrFtyp) == 9; }},
    };
    for (const Edit& edit : edits) {
        ASSERT_FALSE(edit.applied(*Fader(0))) << edit.what;
        edit.apply(Row(0));
        EXPECT_TRUE(edit.applied(*Fader(0))) << edit.what;
        ASSERT_TRUE(Undo()) << edit.what;
        EXPECT_FALSE(edit.applied(*Fader(0))) << edit.what << " taken back in one step";
        ASSERT_TRUE(Redo()) << edit.what;
        EXPECT_TRUE(edit.applied(*Fader(0))) << edit.what;
        ASSERT_TRUE(Undo());
    }
}

TEST_F(FaderEditor, BandLowAboveHighRaisesHighInTheSameStepAndOutputsDoNotPair)
{
    List().AddFader();
    Fix(Row(0).BandLow(), 500);
    EXPECT_EQ(Band(0), (std::pair{500.0f, 500.0f}));
    ASSERT_TRUE(Undo());
    EXPECT_EQ(Band(0), (std::pair{10.0f, 20.0f}));
    Fix(Row(0).Channel(), 4);
    Fix(Row(0).Channel(), 1);
    EXPECT_EQ(Fader(0)->GetByte(kFadrSchn), 0) << "channel 1 is stored as 0";
    Fix(Row(0).OutputHigh(), 10);
    Fix(Row(0).OutputLow(), 90);
    EXPECT_GT(Fader(0)->GetFloat(kFadrFdrl), Fader(0)->GetFloat(kFadrFdrh));
}

TEST_F(FaderEditor, TimeDomainSourceHidesTheBand)
{
    List().AddFader();
    Choose(Row(0).SourceType(), CFaderList::kTimeDomainSource);
    EXPECT_FALSE(Row(0).BandLow().IsShown());
    EXPECT_FALSE(Row(0).BandDash().IsShown());
    Choose(Row(0).SourceType(), 0);
    EXPECT_TRUE(Row(0).BandHigh().IsShown());
}

TEST_F(FaderEditor, SourceTypesAreNamedForWhatTheyCompute)
{
    List().AddFader();
    const char* const names[] = {"Band sum", "Band maximum", "Band mean", "Band peak position", "Time-domain level"};
    LPopupList& types = Row(0).SourceType();
    ASSERT_EQ(types.GetItemCount(), 5);
    for (int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(types.GetItemText(i), names[i]) << i;
}

TEST_F(FaderEditor, DeleteCommandRemovesTheSelectionInOneStep)
{
    for (int i = 0; i < 3; ++i)
        List().AddFader();
    LObject::SetString(Fader(2), nullptr, kFadrName, LStringRef("keep"), LObject::Merge::No);
    List().ApplySelection(LRegion(CLRect{0, 0, 1, 2}));
    List().DeleteSelection();
    ASSERT_EQ(List().Rows(), 1);
    EXPECT_EQ(std::string(Fader(0)->GetString(kFadrName).View()), "keep");
    ASSERT_TRUE(Undo());
    EXPECT_EQ(List().Rows(), 3);
}

TEST_F(FaderEditor, SoundFilesAreTakenOnlyBySoundFaders)
{
    List().AddFader();
    const std::string sound = TempSoundPath("drop.wav");
    ASSERT_TRUE(RunSox("-n -r 8000 -c 1 " + sound + " trim 0 0.1"));
    const std::string text = fHome.path() + "/notes.txt";
    std::ofstream(text) << "not a sound";
    const std::string link = fHome.path() + "/link.wav";
    std::filesystem::create_symlink(sound, link);
    const struct {
        uint8_t kind;
        std::string path;
        bool taken;
    } rows[] = {{CFaderList::kSoundKind, sound, true}, {CFaderList::kSoundKind, link, true}, {1, sound, false},
                {CFaderList::kSoundKind, text, false}, {CFaderList::kSoundKind, fHome.path(), false}};
    for (const auto& row : rows) {
        LObject::SetByte(Fader(0), nullptr, kFadrFtyp, row.kind, LObject::Merge::No);
        const LDropPane& pane = Row(0).SoundDrop();  // its ring: the parameter panel sits inside it
        fDriver.DropFiles(ScreenPoint(pane, {pane.Rect().left + 2, pane.Rect().top + 2}), {row.path});
        LStringRef name;
        const bool stored = CParamSet::Find(Fader(0)->GetChild(kFadrCprm), "snd", &name) >= 0;
        EXPECT_EQ(stored, row.taken) << row.path;
        if (stored) {
            EXPECT_EQ(std::string(name.View()), "drop.wav");  // a link gives its target
            CParamSet::SetValue(Fader(0)->GetChild(kFadrCprm), nullptr, "snd", LStringRef());
        }
    }
}
