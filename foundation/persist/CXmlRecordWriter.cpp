#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/text/FourCC.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/TextTemplate.h"
#include "foundation/persist/CXmlElementFrame.h"
#include "foundation/persist/CXmlStreamSink.h"
#include "foundation/persist/CXmlWriter.h"
#include "foundation/persist/RecordCodes.h"
#include "foundation/records/LObject.h"
#include "foundation/streams/LStream.h"

#include <string_view>
#include <vector>

namespace {

// A multi-line text this long or longer goes into a CDATA element rather than an attribute.
constexpr uint32_t kLongTextMin = 33;

bool IsLongText(const LStringRef& text)
{
    const std::string_view view = text.View();
    return view.size() >= kLongTextMin && view.find_first_of("\r\n") != std::string_view::npos &&
           view.find("]]>") == std::string_view::npos;
}

LStringRef WrapperName(const CXmlElementFrame& recordFrame, uint32_t tag)
{
    LStrStream name;
    name << recordFrame.Name().View() << '_' << FourCCToString(tag).View();
    return LStringRef(name.View());
}

void AppendArrayText(LStrStream& out, const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const uint32_t count = record->GetArrayCount(field);
    const void* data = record->GetArrayData(field);
    for (uint32_t i = 0; i < count; ++i) {
        if (i > 0 && fd->elemType != LFieldType::Byte)
            out.PutChar(' ');
        switch (fd->elemType) {
        case LFieldType::Int32: WriteLong(static_cast<const int32_t*>(data)[i], out); break;
        case LFieldType::UInt32: WriteLong(static_cast<const uint32_t*>(data)[i], out); break;
        case LFieldType::Byte:
            WriteHex(out, static_cast<const uint8_t*>(data)[i], HexPrefix::No, HexCase::Lower, 2);
            break;
        case LFieldType::Float:
            WriteDoubleTrim(out, fd->precision, static_cast<const float*>(data)[i]);
            break;
        default: {
            const LStringRef text = NormalizeLineEnds(static_cast<const LStringRef*>(data)[i]);
            if (text.IsEmpty())
                out << "''";
            else
                WriteXmlQuoted(text.View(), out, false);
            break;
        }
        }
    }
}

// The attribute text of a field when it differs from its default; false when it does not.
bool AttributeText(const LObject* record, uint8_t field, LStrStream& out)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const LFieldSlot& slot = record->GetFieldSlot(field);
    switch (fd->type) {
    case LFieldType::Int32:
        if (uint32_t(slot.Int()) == fd->def.w.lo)
            return false;
        WriteLong(slot.Int(), out);
        return true;
    case LFieldType::UInt32:
    case LFieldType::Byte: {
        const uint32_t value = fd->type == LFieldType::Byte ? slot.Byte() : slot.UInt();
        if (value == (fd->type == LFieldType::Byte ? uint8_t(fd->def.w.lo) : fd->def.w.lo))
            return false;
        WriteLong(value, out);
        return true;
    }
    case LFieldType::Float:
        if (slot.Float() == fd->DefaultFloat())
            return false;
        WriteDoubleTrim(out, fd->precision, slot.Float());
        return true;
    case LFieldType::String:
        if (StrEqual(slot.String().Text(), fd->def.text))
            return false;
        out << NormalizeLineEnds(slot.String()).View();
        return true;
    case LFieldType::Array:
        if (record->GetArrayCount(field) == 0 || uint8_t(fd->elemType) > uint8_t(LFieldType::String))
            return false;
        AppendArrayText(out, record, field);
        return true;
    default:
        return false;
    }
}

// Attributes of the fields before the first child or list field; answers that field's number
// and notes the long texts.
uint32_t WriteAttributes(CXmlElementFrame& frame, const LObject* record, std::vector<uint8_t>& longTexts)
{
    uint32_t f = 0;
    LStrStream value;
    for (; f < record->FieldCount(); ++f) {
        const LFieldDesc* fd = record->FieldDesc(uint8_t(f));
        if (!fd->IsTagged())
            continue;
        if (fd->type == LFieldType::Child || fd->type == LFieldType::List)
            break;
        value.Clear();
        if (!AttributeText(record, uint8_t(f), value))
            continue;
        if (fd->type == LFieldType::String && IsLongText(record->GetString(uint8_t(f)))) {
            longTexts.push_back(uint8_t(f));
            continue;
        }
        frame.Start();
        frame.Writer().WriteAttribute(FourCCToString(fd->tag).View(), value.View());
    }
    return f;
}

void WriteLongText(CXmlElementFrame& frame, const LObject* record, uint8_t field)
{
    CXmlElementFrame element(&frame, WrapperName(frame, record->FieldDesc(field)->tag));
    element.OpenContent(CXmlElementFrame::LineFeed::No);
    CXmlWriter& writer = frame.Writer();
    writer.WriteRaw("<![CDATA[");
    writer.WriteRaw(NormalizeLineEnds(record->GetString(field)).View());
    writer.WriteRaw("]]>");
    element.End();
}

void WriteChildren(CXmlElementFrame& frame, const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    if (fd->type == LFieldType::Child) {
        const LObject* child = record->GetChild(field);
        if (!child)
            return;
        CXmlElementFrame wrapper(&frame, WrapperName(frame, fd->tag));
        CXmlRecordWriter::WriteRecord(wrapper, child, fd->IsOnDemand());
        wrapper.End();
    } else if (fd->type == LFieldType::List) {
        const uint32_t count = record->GetArrayCount(field);
        if (count == 0)
            return;
        CXmlElementFrame wrapper(&frame, WrapperName(frame, fd->tag));
        for (uint32_t i = 0; i < count; ++i)
            CXmlRecordWriter::WriteRoot(wrapper, record->GetChild(field, i), true);
        wrapper.End();
    }
}

} // namespace

LStringRef CXmlRecordWriter::ElementName(uint32_t creator, uint32_t cls)
{
    LStrStream name;
    name << FourCCToString(creator).View() << '_' << FourCCToString(cls).View();
    return LStringRef(name.View());
}

void CXmlRecordWriter::WriteRoot(CXmlElementFrame& parent, const LObject* record, bool force)
{
    if (record && record->Class()) {
        WriteRecord(parent, record, force);
    } else if (force) {
        CXmlElementFrame frame(&parent, ElementName(RecordCodes::kFramework, RecordCodes::kNullRecord));
        frame.Start();
        frame.End();
    }
}

void CXmlRecordWriter::WriteRecord(CXmlElementFrame& parent, const LObject* record, bool force)
{
    CXmlElementFrame frame(&parent, ElementName(record->Class()->Creator(), record->Class()->Class()));
    if (force)
        frame.Start();
    std::vector<uint8_t> longTexts;
    uint32_t f = WriteAttributes(frame, record, longTexts);
    for (uint8_t field : longTexts)
        WriteLongText(frame, record, field);
    for (; f < record->FieldCount(); ++f) {
        if (record->FieldDesc(uint8_t(f))->IsTagged())
            WriteChildren(frame, record, uint8_t(f));
    }
    frame.End();
}

void WriteRecordXml(LStream& stream, const LObject* record)
{
    stream.SetEOF();
    CXmlStreamSink sink(&stream);
    CXmlWriter writer(&sink);
    writer.WriteDeclaration();
    CXmlElementFrame document(&writer);
    CXmlRecordWriter::WriteRoot(document, record, true);
}
