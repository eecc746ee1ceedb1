#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/core/LStrStream.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/persist/CXmlWriter.h"
#include "foundation/streams/CMemStream.h"
#include "foundation/records/CParamSchema.h"
#include "tests/foundation/persist/XmlTestKit.h"
#include "tests/foundation/records/RecordTestKit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr const char* kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const auto no = LObject::Merge::No;

LObjectPtr MakeXml()
{
    return LObject::Create(XmlClass());
}

} // namespace

TEST(CXmlRecordWriter, ParameterSetExactBytes)
{
    CParamSchema::InitParamSchema();
    LObjectPtr set = LObject::Create(CParamSchema::SetClass());
    LObjectPtr param = LObject::Create(CParamSchema::ParamClass());
    LObject::SetString(param.get(), nullptr, 0, "x", no);
    LObject::SetString(param.get(), nullptr, 1, "y", no);
    ASSERT_TRUE(LObject::InsertChild(set.get(), nullptr, 0, 0, std::move(param)));
    EXPECT_EQ(WriteXml(set.get()), std::string(kDecl) +
                                       "<YUND_PRMS>\n"
                                       "<YUND_PRMS_prms>\n"
                                       "<YUND_PRAM i=\"x\" v=\"y\"/>\n"
                                       "</YUND_PRMS_prms>\n"
                                       "</YUND_PRMS>\n");
}

TEST(CXmlRecordWriter, DefaultsAndEmptyChildrenLeaveNoTraceAndListsHoldNullRecords)
{
    LObjectPtr record = MakeXml();
    EXPECT_EQ(WriteXml(record.get()), std::string(kDecl) + "<TEST_XMLA/>\n");
    EXPECT_EQ(WriteXml(nullptr), std::string(kDecl) + "<YUND_UDNL/>\n");

    // Fields after the first list are not attributes; an on-demand child is written even empty.
    LObject::SetInt(record.get(), nullptr, XmlF::late, 5, no);
    LObject::SetInt(record.get(), nullptr, XmlF::hidden, 5, no);
    LObject::ReplaceChild(record.get(), nullptr, XmlF::opt, MakeItem(0));
    EXPECT_EQ(WriteXml(record.get()), std::string(kDecl) +
                                          "<TEST_XMLA>\n<TEST_XMLA_opt>\n<TEST_ITEM/>\n</TEST_XMLA_opt>\n"
                                          "</TEST_XMLA>\n");

    // A child without the on-demand flag whose fields are all defaults writes nothing at all.
    record = MakeXml();
    LObject::SetInt(record->GetChild(XmlF::one), nullptr, ItemF::val, 4, no);
    ASSERT_TRUE(LObject::InsertChild(record.get(), nullptr, XmlF::kids, 0, MakeItem(0)));
    ASSERT_TRUE(LObject::InsertChild(record.get(), nullptr, XmlF::kids, 1, nullptr));
    EXPECT_EQ(WriteXml(record.get()), std::string(kDecl) +
                                          "<TEST_XMLA>\n<TEST_XMLA_kids>\n<TEST_ITEM/>\n<YUND_UDNL/>\n"
                                          "</TEST_XMLA_kids>\n<TEST_XMLA_one>\n<TEST_ITEM val=\"4\"/>\n"
                                          "</TEST_XMLA_one>\n</TEST_XMLA>\n");
}

TEST(CXmlRecordWriter, AttributeValueFormsAndQuotingRules)
{
    LObjectPtr record = MakeXml();
    LObject::SetString(record.get(), nullptr, XmlF::txt, "a\r\nb\"<&>'\x01", no);
    LObject::SetInt(record.get(), nullptr, XmlF::num, -7, no);
    const uint8_t bytes[] = {0x01, 0xAB};
    LObject::SetArray(record.get(), nullptr, XmlF::hex, bytes, 2);
    LObject::SetFloat(record.get(), nullptr, XmlF::flt, 0.125f, no);
    const LStringRef texts[] = {"x y", "", "q", "'a", "b\"c"};
    LObject::SetArray(record.get(), nullptr, XmlF::strs, texts, 5);
    LObject::SetUInt(record.get(), nullptr, XmlF::u, 4000000000u, no);
    EXPECT_EQ(WriteXml(record.get()),
              std::string(kDecl) + "<TEST_XMLA txt=\"a&#10;b&quot;&lt;&amp;>'&#1;\" num=\"-7\" hex=\"01ab\" "
                                   "flt=\"0.125\" strs=\"&quot;x y&quot; '' q &quot;'a&quot; "
                                   "&quot;b&quot;&quot;c&quot;\" u=\"4000000000\"/>\n");

    auto quoted = [](const char* text, bool always) {
        LStrStream out;
        WriteXmlQuoted(text, out, always);
        return std::string(out.View());
    };
    const std::tuple<const char*, bool, const char*> cases[] = {{"plain", false, "plain"}, {"it's", false, "it's"},
        {"'lead", false, "\"'lead\""}, {"tab\there", false, "\"tab\there\""},
        {"say \"hi\"", false, "\"say \"\"hi\"\"\""}, {"plain", true, "\"plain\""}};
    for (const auto& [text, always, written] : cases)
        EXPECT_EQ(quoted(text, always), written) << text;
}

TEST(CXmlRecordWriter, LongTextsBecomeCdataFrom33BytesAndTheStreamIsCutFirst)
{
    LObjectPtr record = MakeXml();
    const std::string text32 = std::string(31, 'a') + "\n";
    LObject::SetString(record.get(), nullptr, XmlF::txt, LStringRef(text32), no);
    EXPECT_EQ(WriteXml(record.get()),
              std::string(kDecl) + "<TEST_XMLA txt=\"" + std::string(31, 'a') + "&#10;\"/>\n");

    const std::string text33 = std::string(31, 'a') + "\r\nb";
    LObject::SetString(record.get(), nullptr, XmlF::txt, LStringRef(text33), no);
    LObject::SetInt(record.get(), nullptr, XmlF::num, 3, no);
    EXPECT_EQ(WriteXml(record.get()), std::string(kDecl) + "<TEST_XMLA num=\"3\">\n<TEST_XMLA_txt><![CDATA[" +
                                          std::string(31, 'a') + "\nb]]></TEST_XMLA_txt>\n</TEST_XMLA>\n");

    const std::string withEnd = std::string(36, 'a') + "\n]]>";
    LObject::SetString(record.get(), nullptr, XmlF::txt, LStringRef(withEnd), no);
    EXPECT_NE(WriteXml(record.get()).find("txt=\"" + std::string(36, 'a') + "&#10;]]>\""), std::string::npos);

    record = MakeXml();
    LByteBuffer buffer;
    {
        CMemStream stream(buffer);
        const std::string junk(500, 'z');
        stream.Write(junk.data(), junk.size());
        stream.SetPosition(0);
        WriteRecordXml(stream, record.get());
        EXPECT_EQ(stream.Error(), 0u);
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.Data()), buffer.Size()),
              std::string(kDecl) + "<TEST_XMLA/>\n");
}

