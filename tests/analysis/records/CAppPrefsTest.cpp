#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CSnxSchema.h"
#include "tests/analysis/records/SnxRecordTestKit.h"

#include <gtest/gtest.h>

#include <array>

TEST(CAppPrefs, PublishesItselfWhileItLivesAndMakesWindowRecordsWithDefaults)
{
    EXPECT_EQ(CAppPrefs::Current(), nullptr);
    {
        CAppPrefs prefs;
        EXPECT_EQ(CAppPrefs::Current(), &prefs);
        LObject* w = prefs.AddDocument();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->GetInt(kWindSvpt), 51000);
        EXPECT_EQ(w->GetString(kWindTcpa).View(), "127.0.0.1:51000");
        EXPECT_EQ((std::array{w->GetFloat(kWindPkht), w->GetFloat(kWindPkfh)}), (std::array{2.0f, 100.0f}));
        EXPECT_EQ((std::array{w->GetByte(kWindZoom), w->GetByte(kWindTrud)}), (std::array<uint8_t, 2>{1, 1}));
        const LObject* view = w->GetChild(kWindChvw);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ((std::array{view->GetFloat(kChvwFqzm), view->GetFloat(kChvwGridStep)}), (std::array{1.0f, 1.0f}));
    }
    EXPECT_EQ(CAppPrefs::Current(), nullptr);
}

TEST(CAppPrefs, FindsDocumentsBySpecOrPath)
{
    CAppPrefs prefs;
    EXPECT_EQ(prefs.FindDocument("/tmp/a.snx"), nullptr) << "empty list";
    LObject* a = prefs.AddDocument();
    LObject* b = prefs.AddDocument();
    ASSERT_TRUE(a && b);
    LObject::SetString(a, nullptr, kWindDcfl, LStringRef("/tmp/a.snx"), LObject::Merge::No);
    LObject::SetString(b, nullptr, kWindDcfl, LStringRef("/tmp/dir/b c.snx"), LObject::Merge::No);
    EXPECT_EQ(prefs.FindDocument("/tmp/a.snx"), a);
    EXPECT_EQ(prefs.FindDocument("file:///Root/tmp/dir/b%20c.snx"), b);
    EXPECT_EQ(prefs.FindDocument("/tmp/dir/../dir/b c.snx"), b);
    EXPECT_EQ(prefs.FindDocument("/tmp/other.snx"), nullptr);
    EXPECT_EQ(prefs.FindDocument(""), nullptr);
}

TEST(CAppPrefs, TouchMovesARecordToTheEnd)
{
    CAppPrefs prefs;
    LObject* a = prefs.AddDocument();
    LObject* b = prefs.AddDocument();
    LObject* c = prefs.AddDocument();
    prefs.TouchDocument(a);
    LObject* root = prefs.Root();
    EXPECT_EQ((std::array{root->GetChild(kPrefDocs, 0), root->GetChild(kPrefDocs, 1), root->GetChild(kPrefDocs, 2)}),
              (std::array{b, c, a}));
    prefs.TouchDocument(a);
    EXPECT_EQ(root->GetChild(kPrefDocs, 2), a);
    prefs.TouchDocument(nullptr);
    CAppPrefs other;
    prefs.TouchDocument(other.AddDocument()) /* not ours: ignored */;
    EXPECT_EQ(root->GetArrayCount(kPrefDocs), 3u);
}

TEST(CAppPrefs, DeviceTextIsAnnouncedThenCleared)
{
    CAppPrefs prefs;
    LObject* w = prefs.AddDocument();
    ASSERT_NE(w, nullptr);
    NoticeLog log(prefs);
    SendDeviceText(w, LStringRef("cue 1"));
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].record, w);
    EXPECT_EQ(log.entries[0].field, kWindDeviceText);
    EXPECT_TRUE(w->GetString(kWindDeviceText).IsEmpty());
    SendDeviceText(w, LStringRef("cue 1"));
    EXPECT_EQ(log.entries.size(), 2u) << "the same text again is again a change";
    SendDeviceText(prefs.Root(), LStringRef("x")); // not a window record: ignored
    EXPECT_EQ(log.entries.size(), 2u);
}
