#include "controls/CViewPrefs.h"
#include "foundation/persist/CCFDictStore.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/LObjRoot.h"
#include "foundation/records/LObject.h"
#include "platform/prefs/Preferences.h"
#include "platform/values/Dict.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/draw/LFontData.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/WindowNumberCache.h"
#include "tests/ui/panes/PaneTestKit.h"
#include "ui/frames/LFrame.h"
#include "ui/windows/LWindowDef.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string Param(const LObject* root, uint32_t fontId, const char* name)
{
    const LObject* fonts = CParamSet::GetSubSet(root, "fonts");
    const LObject* entry = fonts ? CParamSet::GetSubSet(fonts, std::to_string(fontId).c_str()) : nullptr;
    LStringRef value;
    if (!entry || CParamSet::Find(entry, name, &value) < 0)
        return "<none>";
    return value.Text();
}

// A window frame counting the change notices that reach it.
class HearingFrame : public LFrame {
public:
    HearingFrame(LHandler* parent, const LWindowDef& def) : LFrame(parent, nullptr, def) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, CViewPrefs::msgChanged)) {
            ++heard;
            subject = msg.subject;
        }
        LFrame::HandleMessage(result, msg);
    }
    int heard = 0;
    LHandler* subject = nullptr;
};

CViewPrefs::FontSpec Choice(const char* family, float size)
{
    CViewPrefs::FontSpec choice;
    choice.family = family;
    choice.size = size;
    return choice;
}

// The shared view preferences working on a fresh parameter set, with two windows whose
// owners record what reaches them.
class CViewPrefsTest : public ::testing::Test {
protected:
    CViewPrefsTest() : fRoot(LObject::Create(CParamSchema::SetClass()))
    {
        WindowNumberCache::MarkStale();
        fPrefs.SetParamSet(fRoot.Root());
    }
    ~CViewPrefsTest() override
    {
        fPrefs.SetParamSet(nullptr);
        LFontData::ResetAllNSFonts();
        WindowNumberCache::MarkStale();
    }
    static int Heard(const HearingFrame& frame) { return frame.heard; }
    LWindowDef Def() const { return LWindowDef(LWindowDef::kLayerDocument, static_cast<CNativeWindowKind*>(fKind.Get())); }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    LObjRoot fRoot;
    CViewPrefs& fPrefs = CViewPrefs::Shared();
    LRef fKind{new CNativeWindowKind(3)};
    ConsumingRecorder fTop;
    HearingFrame fOwnerA{&fTop, Def()};
    HearingFrame fOwnerB{&fTop, Def()};
};

} // namespace

TEST_F(CViewPrefsTest, SizesAreStoredWithOneDecimalAtMost)
{
    fPrefs.SetFont(0, Choice("DejaVu Sans", 12.0f));
    fPrefs.SetFont(3, Choice("DejaVu Sans Mono", 10.5f));
    fPrefs.SetFont(2, Choice("DejaVu Serif", 9.25f));
    EXPECT_EQ(Param(fRoot.Root(), 0, "pts"), "12");
    EXPECT_EQ(Param(fRoot.Root(), 3, "pts"), "10.5");
    EXPECT_EQ(Param(fRoot.Root(), 2, "pts"), "9.2") << "one decimal, rounded as printf rounds";
    EXPECT_EQ(Param(fRoot.Root(), 3, "fam"), "DejaVu Sans Mono");

    CViewPrefs::FontSpec choice;
    ASSERT_TRUE(fPrefs.GetFont(3, choice));
    EXPECT_STREQ(choice.family.Text(), "DejaVu Sans Mono");
    EXPECT_FLOAT_EQ(choice.size, 10.5f);
    EXPECT_FALSE(fPrefs.GetFont(1, choice)) << "no choice for that id";
}

TEST_F(CViewPrefsTest, AChangeReachesEveryWindowOnceAndAnUnchangedChoiceNone)
{
    fPrefs.SetFont(1, Choice("DejaVu Sans", 14.0f));
    EXPECT_EQ(Heard(fOwnerA), 1);
    EXPECT_EQ(Heard(fOwnerB), 1);

    fPrefs.SetFont(1, Choice("DejaVu Sans", 14.0f));
    EXPECT_EQ(Heard(fOwnerA), 1) << "same family and size: nothing sent";

    fPrefs.SetFont(1, Choice("DejaVu Sans", 15.0f));
    EXPECT_EQ(Heard(fOwnerA), 2) << "a new size alone is a change";
    EXPECT_EQ(fOwnerB.subject, &fPrefs);
}

TEST_F(CViewPrefsTest, AnEmptyFamilyRemovesTheChoice)
{
    fPrefs.SetFont(2, Choice("DejaVu Serif", 11.0f));
    fPrefs.SetFont(2, Choice("", 0.0f));
    EXPECT_EQ(Param(fRoot.Root(), 2, "fam"), "<none>");
    CViewPrefs::FontSpec choice;
    EXPECT_FALSE(fPrefs.GetFont(2, choice)) << "the view falls back to its own font";
    EXPECT_EQ(Heard(fOwnerA), 2);
}

TEST_F(CViewPrefsTest, BroadcastMakesFontsResolveAgain)
{
    LFontData record(LFontData::kUserFont);
    LFontData::Register(&record);
    record.resolved = 1;
    fPrefs.SetFont(1, Choice("DejaVu Sans", 13.0f));
    EXPECT_EQ(record.resolved, 0);
}

TEST_F(CViewPrefsTest, WithoutAParameterSetNothingIsReadWrittenOrSent)
{
    fPrefs.SetParamSet(nullptr);
    fPrefs.SetFont(0, Choice("DejaVu Sans", 12.0f));
    CViewPrefs::FontSpec choice;
    EXPECT_FALSE(fPrefs.GetFont(0, choice));
    EXPECT_EQ(Heard(fOwnerA), 0);
}

TEST_F(CViewPrefsTest, ChoicesRoundTripThroughThePreferencesFile)
{
    fPrefs.SetFont(0, Choice("DejaVu Sans", 12.0f));
    fPrefs.SetFont(3, Choice("DejaVu Sans Mono", 10.5f));

    const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/viewprefs.plist";
    {
        plat::Preferences domain(path);
        plat::Ref<plat::Dict> dict = plat::Dict::Make();
        CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
        LObject::SaveToNode(store, fRoot.Root());
        domain.SetValue("prefs", dict);
        ASSERT_TRUE(domain.Synchronize());
    }
    plat::Preferences reread(path);
    plat::Ref<plat::Value> value = reread.CopyValue("prefs");
    auto* dict = dynamic_cast<plat::Dict*>(value.Get());
    ASSERT_NE(dict, nullptr);
    LObjRoot loaded(LObject::Create(CParamSchema::SetClass()));
    CCFDictStore reader(dict, LKeyValueNode::kReadOnly);
    LObject::LoadFromNode(reader, loaded.Root());

    fPrefs.SetParamSet(loaded.Root());
    CViewPrefs::FontSpec choice;
    ASSERT_TRUE(fPrefs.GetFont(3, choice));
    EXPECT_STREQ(choice.family.Text(), "DejaVu Sans Mono");
    EXPECT_FLOAT_EQ(choice.size, 10.5f);
    ASSERT_TRUE(fPrefs.GetFont(0, choice));
    EXPECT_FLOAT_EQ(choice.size, 12.0f);
}
