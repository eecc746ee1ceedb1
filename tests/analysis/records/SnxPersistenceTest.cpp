// The document and preference trees survive the stored forms they travel in (the document's
// XML file, record chunks, the preferences' dictionary), and a stored form that lacks a field
// reads it as its default.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "foundation/records/CParamSet.h"
#include "tests/analysis/records/SnxRecordTestKit.h"

namespace {

// A document with something in every kind of field, each off its default.
void FillDocument(CFaderSetRecord& doc)
{
    LObject* root = doc.Root();
    ASSERT_EQ(doc.AppendFader(nullptr), 0);
    LObject* fader = doc.Fader(0);
    LObject::SetString(fader, nullptr, kFadrName, LStringRef("Kick <&> \"bass\""), LObject::Merge::No);
    doc.SetFaderHighFreq(nullptr, 0, 250.5f);
    doc.SetFaderLowFreq(nullptr, 0, 40.25f);
    doc.SetFaderHighAmp(nullptr, 0, 0.75f);
    LObject::SetByte(fader, nullptr, kFadrFtyp, 4, LObject::Merge::No);
    LObject::SetByte(fader, nullptr, kFadrSchn, 1, LObject::Merge::No);
    LObject::SetFloat(fader, nullptr, kFadrInput, 0.75f, LObject::Merge::No);
    CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, "port", LStringRef("9000"));
    ResizeChannelRecords(root, nullptr, 3);
    LObject::SetFloat(root->GetChild(kFdrsChns, 2), nullptr, kChanCrsh, 0.125f, LObject::Merge::No);
    LObject::SetByte(doc.Common(), nullptr, kComnFtsx, 11, LObject::Merge::No);
    LObject::SetByte(doc.Common(), nullptr, kComnDb, 1, LObject::Merge::No);
    LObject::SetByte(doc.Common(), nullptr, kComnWnfc, 2, LObject::Merge::No);
    const uint8_t dmx[3] = {0, 128, 255};
    LObject::SetArray(root, nullptr, kFdrsDmst, dmx, 3);
    LObjectPtr event = LObject::Create(CSnxSchema::EventClass());
    LObject::SetFloat(event.get(), nullptr, kEvtxTime, 12.5f, LObject::Merge::No);
    LObject::SetString(event.get(), nullptr, kEvtxText, LStringRef("intro"), LObject::Merge::No);
    ASSERT_TRUE(LObject::InsertChild(root->GetChild(kFdrsEvts), nullptr, kEvtsEvts, 0, std::move(event)));
}

// The first dictionary below `dict` that holds `key`.
plat::Dict* FindHolder(plat::Dict* dict, const char* key)
{
    if (dict->Get(key))
        return dict;
    for (const auto& [name, value] : dict->Entries()) {
        if (auto* child = value->As<plat::Dict>())
            if (plat::Dict* found = FindHolder(child, key))
                return found;
    }
    return nullptr;
}

} // namespace

TEST(SnxPersistence, DocumentRoundTripsThroughItsXmlFileAndRecordChunks)
{
    CFaderSetRecord doc;
    FillDocument(doc);
    const std::string xml = ToXml(doc.Root());
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
    EXPECT_NE(xml.find("<YSNX_FDRS"), std::string::npos);
    EXPECT_EQ(xml.find("srat"), std::string::npos) << "defaults are not written";
    CFaderSetRecord loaded;
    ASSERT_TRUE(FromXml(xml, loaded.Root()));
    ExpectSameTree(doc.Root(), loaded.Root());
    EXPECT_EQ(loaded.Common()->GetFloat(kComnFcrt), 0.33333334f) << "an unwritten default stays exact";
    EXPECT_EQ(ToXml(loaded.Root()), xml);

    LObjectPtr copy = FromChunk(ToChunk(doc.Root()));
    ASSERT_NE(copy, nullptr);
    ExpectSameTree(doc.Root(), copy.get());
    EXPECT_EQ(copy->GetChild(kFdrsFdrs, 0)->GetFloat(kFadrInput), 0.0f) << "memory-only fields stay home";
}

TEST(SnxPersistence, PreferencesRoundTripThroughTheDictionary)
{
    CAppPrefs prefs;
    LObject* w = prefs.AddDocument();
    ASSERT_NE(w, nullptr);
    LObject::SetString(w, nullptr, kWindDcfl, LStringRef("/home/u/set.snx"), LObject::Merge::No);
    LObject::SetInt(w, nullptr, kWindSvpt, 52000, LObject::Merge::No);
    const int32_t rect[4] = {10, 20, 640, 480};
    LObject::SetArray(w, nullptr, kWindDcwp, rect, 4);
    LObject::SetFloat(w->GetChild(kWindChvw), nullptr, kChvwFqzm, 4.0f, LObject::Merge::No);
    LObject::SetByte(prefs.Root()->GetChild(kPrefComn), nullptr, kWndsDb, 0, LObject::Merge::No);
    CAppPrefs loaded;
    FromDict(ToDict(prefs.Root()).Get(), loaded.Root());
    ExpectSameTree(prefs.Root(), loaded.Root());
    EXPECT_EQ(loaded.FindDocument("/home/u/set.snx"), loaded.Root()->GetChild(kPrefDocs, 0));
}

TEST(SnxPersistence, MissingFieldReadsAsItsDefault)
{
    // A document file without the fader's low frequency, read over a fader holding another value.
    CFaderSetRecord doc;
    FillDocument(doc);
    std::string xml = ToXml(doc.Root());
    const std::string attribute = " frql=\"40.25\"";
    const size_t at = xml.find(attribute);
    ASSERT_NE(at, std::string::npos) << xml;
    xml.erase(at, attribute.size());
    CFaderSetRecord loaded;
    ASSERT_EQ(loaded.AppendFader(nullptr), 0);
    LObject::SetFloat(loaded.Fader(0), nullptr, kFadrFrql, 1.0f, LObject::Merge::No);
    ASSERT_TRUE(FromXml(xml, loaded.Root()));
    ASSERT_EQ(loaded.FaderCount(), 1);
    EXPECT_EQ(loaded.Fader(0)->GetFloat(kFadrFrql), 10.0f);
    EXPECT_EQ(loaded.Fader(0)->GetFloat(kFadrFrqh), 250.5f);

    // Preferences without a window's server port, read over a record holding another value.
    CAppPrefs prefs;
    LObject* w = prefs.AddDocument();
    LObject::SetInt(w, nullptr, kWindSvpt, 52000, LObject::Merge::No);
    LObject::SetString(w, nullptr, kWindTcpa, LStringRef("10.0.0.2:4000"), LObject::Merge::No);
    plat::Ref<plat::Dict> dict = ToDict(prefs.Root());
    plat::Dict* holder = FindHolder(dict.Get(), "svpt");
    ASSERT_NE(holder, nullptr);
    holder->Remove("svpt");
    CAppPrefs loadedPrefs;
    LObject::SetInt(loadedPrefs.AddDocument(), nullptr, kWindSvpt, 7, LObject::Merge::No);
    FromDict(dict.Get(), loadedPrefs.Root());
    LObject* back = loadedPrefs.Root()->GetChild(kPrefDocs, 0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetInt(kWindSvpt), 51000);
    EXPECT_EQ(back->GetString(kWindTcpa).View(), "10.0.0.2:4000");
}
