#include "tests/foundation/persist/XmlTestKit.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/persist/CXmlRecordReader.h"
#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/streams/CMemStream.h"

#include <iterator>

namespace {

constexpr uint32_t kTest = FourCC("TEST");

const LFieldDesc kXmlFields[] = {
    LFieldDesc::Text(FourCC("txt ")),
    LFieldDesc::Int(FourCC("num "), -1),
    LFieldDesc::ArrayOf(FourCC("hex "), LFieldType::Byte),
    LFieldDesc::FloatField(FourCC("flt "), 2.5f, 3),
    LFieldDesc::ArrayOf(FourCC("strs"), LFieldType::String),
    LFieldDesc::Int(0),
    LFieldDesc::UInt(FourCC("u   ")),
    LFieldDesc::ListOf(FourCC("kids"), kTest, FourCC("ITEM")),
    LFieldDesc::ChildOf(FourCC("one "), kTest, FourCC("ITEM")),
    LFieldDesc::ChildOf(FourCC("opt "), kTest, FourCC("ITEM"), kFieldOnDemand),
    LFieldDesc::Int(FourCC("late")),
};

const LClassDesc gXml(kTest, FourCC("XMLA"), std::size(kXmlFields), kXmlFields);

} // namespace

const LClassDesc* XmlClass()
{
    return &gXml;
}

std::string WriteXml(const LObject* record)
{
    LByteBuffer buffer;
    {
        CMemStream stream(buffer);
        WriteRecordXml(stream, record);
    }
    return std::string(reinterpret_cast<const char*>(buffer.Data()), buffer.Size());
}

bool ReadXml(const std::string& text, LObject* record)
{
    CMemStream stream(text.data(), uint32_t(text.size()));
    return ReadRecordXml(stream, record);
}
