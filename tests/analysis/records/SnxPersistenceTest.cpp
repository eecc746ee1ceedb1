// The document and preference trees survive the stored forms they travel in: record chunks
// (drag data, copies) and the key/value dictionary of the preferences.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/persist/CCFDictStore.h"
#include "foundation/persist/LObjFormReader.h"
#include "foundation/persist/LObjFormWriter.h"
#include "foundation/records/CParamSet.h"
#include "platform/values/Dict.h"
#include "tests/analysis/records/SnxRecordTestKit.h"

#include <gtest/gtest.h>


namespace {

// A document with something in every kind of field.
void FillDocument(CFaderSetRecord& doc)
{
    LObject* root = doc.Root();
    ASSERT_EQ(doc.AppendFader(nullptr), 0);
    LObject* fader = doc.Fader(0);
    LObject::SetString(fader, nullptr, kFadrName, LStringRef("Kick <&> \"bass\""), LObject::Merge::No);
    doc.SetFaderHighFreq(nullptr, 0, 250.5f);
    doc.SetFaderLowFreq(nullptr, 0, 40.25f);
    LObject::SetByte(fader, nullptr, kFadrFtyp, 4, LObject::Merge::No);
    LObject::SetFloat(fader, nullptr, kFadrInput, 0.75f, LObject::Merge::No);
    CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, "port", LStringRef("9000"));
    ResizeChannelRecords(root, nullptr, 3);
    LObject::SetFloat(root->GetChild(kFdrsChns, 2), nullptr, kChanCrsh, 0.125f, LObject::Merge::No);
    LObject::SetByte(doc.Common(), nullptr, kComnFtsx, 11, LObject::Merge::No);
    LObject::SetByte(doc.Common(), nullptr, kComnDb, 1, LObject::Merge::No);
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

TEST(SnxPersistence, DocumentRoundTripsThroughRecordChunks)
{
    CFaderSetRecord doc;
    FillDocument(doc);
    LByteBuffer bytes;
    {
        LObjFormWriter writer(CSnxSchema::kCreator, CSnxSchema::kDocClass, bytes);
        writer.WriteObject(doc.Root());
        ASSERT_EQ(writer.Error(), 0u);
    }
    LObjFormReader reader(bytes.Data(), bytes.Size());
    LObjectPtr copy = reader.ReadObject();
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

    plat::Ref<plat::Dict> dict = plat::Dict::Make();
    {
        CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
        LObject::SaveToNode(store, prefs.Root());
    }
    CAppPrefs loaded;
    {
        CCFDictStore store(dict.Get(), LKeyValueNode::kReadOnly);
        LObject::LoadFromNodeRef(store, loaded.Root());
    }
    ExpectSameTree(prefs.Root(), loaded.Root());
    EXPECT_EQ(loaded.FindDocument("/home/u/set.snx"), loaded.Root()->GetChild(kPrefDocs, 0));
}

TEST(SnxPersistence, MissingFieldReadsAsItsDefault)
{
    CAppPrefs prefs;
    LObject* w = prefs.AddDocument();
    LObject::SetInt(w, nullptr, kWindSvpt, 52000, LObject::Merge::No);
    LObject::SetString(w, nullptr, kWindTcpa, LStringRef("10.0.0.2:4000"), LObject::Merge::No);
    plat::Ref<plat::Dict> dict = plat::Dict::Make();
    {
        CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
        LObject::SaveToNode(store, prefs.Root());
    }
    plat::Dict* holder = FindHolder(dict.Get(), "svpt");
    ASSERT_NE(holder, nullptr);
    holder->Remove("svpt");

    CAppPrefs loaded;
    LObject* stale = loaded.AddDocument();
    LObject::SetInt(stale, nullptr, kWindSvpt, 7, LObject::Merge::No);
    {
        CCFDictStore store(dict.Get(), LKeyValueNode::kReadOnly);
        LObject::LoadFromNodeRef(store, loaded.Root());
    }
    LObject* back = loaded.Root()->GetChild(kPrefDocs, 0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetInt(kWindSvpt), 51000);
    EXPECT_EQ(back->GetString(kWindTcpa).View(), "10.0.0.2:4000");
}
