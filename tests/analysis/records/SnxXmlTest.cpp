// Documents are saved as XML files of records: a document round-trips through that text, and
// a file that lacks a field reads it as its default.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/persist/CXmlRecordReader.h"
#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/streams/CMemStream.h"
#include "tests/analysis/records/SnxRecordTestKit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string WriteXml(const LObject* root)
{
    LByteBuffer bytes;
    {
        CMemStream out(bytes);
        WriteRecordXml(out, root);
        EXPECT_EQ(out.Error(), 0u);
    }
    return std::string(reinterpret_cast<const char*>(bytes.Data()), bytes.Size());
}

bool ReadXml(const std::string& text, LObject* root)
{
    CMemStream in(text.data(), static_cast<uint32_t>(text.size()));
    bool complete = false;
    return ReadRecordXml(in, root, &complete) && complete;
}

// A document with one fader whose settings are all off their defaults.
void OneFaderDocument(CFaderSetRecord& doc)
{
    ASSERT_EQ(doc.AppendFader(nullptr), 0);
    LObject* fader = doc.Fader(0);
    LObject::SetString(fader, nullptr, kFadrName, LStringRef("Hi-hat <&>"), LObject::Merge::No);
    doc.SetFaderHighFreq(nullptr, 0, 8000.0f);
    doc.SetFaderLowFreq(nullptr, 0, 6000.5f);
    doc.SetFaderHighAmp(nullptr, 0, 0.75f);
    LObject::SetByte(fader, nullptr, kFadrSchn, 1, LObject::Merge::No);
    ResizeChannelRecords(doc.Root(), nullptr, 2);
    LObject::SetByte(doc.Common(), nullptr, kComnWnfc, 2, LObject::Merge::No);
}

} // namespace

TEST(SnxXml, NewDocumentWithOneFaderReadsBackEqual)
{
    CFaderSetRecord doc;
    OneFaderDocument(doc);
    const std::string xml = WriteXml(doc.Root());
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
    EXPECT_NE(xml.find("<YSNX_FDRS"), std::string::npos);
    EXPECT_EQ(xml.find("srat"), std::string::npos) << "defaults are not written";

    CFaderSetRecord loaded;
    ASSERT_TRUE(ReadXml(xml, loaded.Root()));
    ExpectSameTree(doc.Root(), loaded.Root());
    EXPECT_EQ(loaded.Common()->GetFloat(kComnFcrt), 0.33333334f) << "an unwritten default stays exact";
    EXPECT_EQ(WriteXml(loaded.Root()), xml);
}

TEST(SnxXml, MissingFieldReadsAsItsDefault)
{
    CFaderSetRecord doc;
    OneFaderDocument(doc);
    std::string xml = WriteXml(doc.Root());
    const std::string attribute = " frql=\"6000.5\"";
    const size_t at = xml.find(attribute);
    ASSERT_NE(at, std::string::npos) << xml;
    xml.erase(at, attribute.size());

    CFaderSetRecord loaded;
    ASSERT_EQ(loaded.AppendFader(nullptr), 0);
    LObject::SetFloat(loaded.Fader(0), nullptr, kFadrFrql, 1.0f, LObject::Merge::No);
    ASSERT_TRUE(ReadXml(xml, loaded.Root()));
    ASSERT_EQ(loaded.FaderCount(), 1);
    EXPECT_EQ(loaded.Fader(0)->GetFloat(kFadrFrql), 10.0f);
    EXPECT_EQ(loaded.Fader(0)->GetFloat(kFadrFrqh), 8000.0f);
}
