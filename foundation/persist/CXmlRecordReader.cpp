#include "foundation/persist/CXmlRecordReader.h"
#include "foundation/text/FourCC.h"
#include "foundation/text/LMemInStream.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberParse.h"
#include "foundation/text/TextTemplate.h"
#include "foundation/text/TextTokens.h"
#include "foundation/persist/CXmlLexer.h"
#include "foundation/persist/CXmlTextReader.h"
#include "foundation/persist/PersistLimits.h"
#include "foundation/persist/XmlText.h"
#include "foundation/records/LObject.h"
#include "foundation/streams/CUTF8TextReader.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// The first field with the tag (tag 0 never matches), or -1.
int FieldWithTag(const LObject* record, uint32_t tag)
{
    if (tag == 0)
        return -1;
    for (uint32_t f = 0; f < record->FieldCount(); ++f) {
        if (record->FieldDesc(uint8_t(f))->tag == tag)
            return int(f);
    }
    return -1;
}

std::string ReadAll(LCharSource& source)
{
    std::string text;
    char buffer[256];
    for (uint32_t n; (n = source.Read(buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    return text;
}

void SetScalar(LObject* record, uint8_t field, LFieldType type, LCharSource& source)
{
    const std::string text = ReadAll(source);
    const auto no = LObject::Merge::No;
    if (type == LFieldType::String) {
        LObject::SetString(record, nullptr, field, LStringRef(std::string_view(text)), no);
        return;
    }
    if (text.empty())
        return;
    switch (type) {
    case LFieldType::Int32: LObject::SetInt(record, nullptr, field, StrToLong(text.c_str()), no); break;
    case LFieldType::UInt32:
        LObject::SetUInt(record, nullptr, field, record->FieldDesc(field)->StoredUInt(StrToULong(text.c_str())), no);
        break;
    case LFieldType::Byte: LObject::SetByte(record, nullptr, field, uint8_t(StrToULong(text.c_str())), no); break;
    case LFieldType::Float: LObject::SetFloat(record, nullptr, field, float(StrToDouble(text.c_str())), no); break;
    default: break;
    }
}

std::vector<uint8_t> ReadHexBytes(LCharSource& source)
{
    std::vector<uint8_t> bytes;
    char hi, lo;
    while (source.ReadByte(hi) && HexDigitValue(hi) >= 0 && source.ReadByte(lo) && HexDigitValue(lo) >= 0)
        bytes.push_back(uint8_t(HexDigitValue(hi) * 16 + HexDigitValue(lo)));
    return bytes;
}

void SetArray(LObject* record, uint8_t field, LFieldType elemType, LCharSource& source)
{
    LObject::SetArrayRaw(record, field, nullptr, 0);
    LStrStream word;
    if (elemType == LFieldType::Byte) {
        const std::vector<uint8_t> bytes = ReadHexBytes(source);
        LObject::SetArrayRaw(record, field, bytes.data(), uint32_t(bytes.size()));
    } else if (elemType == LFieldType::String) {
        std::vector<LStringRef> texts;
        for (word.Clear(); ReadQuotedToken(source, word, true); word.Clear())
            texts.emplace_back(word.View());
        LObject::SetArrayRaw(record, field, texts.data(), uint32_t(texts.size()));
    } else {
        std::vector<uint32_t> values;
        for (word.Clear(); ReadWord(source, word); word.Clear()) {
            if (elemType == LFieldType::Int32) {
                values.push_back(uint32_t(StrToLong(word.CStr())));
            } else if (elemType == LFieldType::UInt32) {
                values.push_back(StrToULong(word.CStr()));
            } else {
                const float f = float(StrToDouble(word.CStr()));
                uint32_t bits;
                std::memcpy(&bits, &f, sizeof bits);
                values.push_back(bits);
            }
        }
        LObject::SetArrayRaw(record, field, values.data(), uint32_t(values.size()));
    }
    LObject::NotifyFieldChanged(record, nullptr, record->GetRootHolder(), field, -1);
}

// A new record of the element's class read from the element; null when the class is unknown
// (the element is then skipped) or the input ended inside it.
LObjectPtr ReadNewRecord(CXmlLexer& lexer, const uint32_t codes[3], int depth)
{
    LObjectPtr record = LObject::Create(LClassDesc::Find(codes[0], codes[1]));
    if (!record) {
        SkipElement(lexer);
        return nullptr;
    }
    if (!CXmlRecordReader::ReadRecord(lexer, record.get(), depth))
        return nullptr;
    return record;
}

bool ClassAccepted(const LFieldDesc* fd, const uint32_t codes[3])
{
    return (fd->flags & kFieldClassByName) || (codes[0] == fd->ChildCreator() && codes[1] == fd->ChildClass());
}

// The next start tag, element end or end of input inside an element; attribute values and
// text are passed over.
CXmlLexer::Token NextChildToken(CXmlLexer& lexer)
{
    for (;;) {
        const CXmlLexer::Token token = lexer.NextToken();
        if (token == CXmlLexer::kAttribute)
            (void)lexer.ReadAttributeValue();
        else if (token != CXmlLexer::kText)
            return token;
    }
}

// The elements of a list wrapper; false when an insertion was refused or the input ended.
bool ReadList(CXmlLexer& lexer, LObject* record, uint8_t field, int depth)
{
    for (uint32_t n = record->GetArrayCount(field); n > 0; n--)
        LObject::DeleteChildAt(record, nullptr, field, n - 1);
    const LFieldDesc* fd = record->FieldDesc(field);
    CXmlLexer::Token token;
    while ((token = NextChildToken(lexer)) == CXmlLexer::kStartTag) {
        uint32_t codes[3] = {};
        if (SplitElementName(lexer.ElementName(), codes) != 2 || !ClassAccepted(fd, codes)) {
            SkipElement(lexer);
            continue;
        }
        LObjectPtr child = ReadNewRecord(lexer, codes, depth + 1);
        if ((child || fd->IsOnDemand()) &&
            !LObject::InsertChild(record, nullptr, field, record->GetArrayCount(field), std::move(child)))
            return false;
    }
    return token == CXmlLexer::kEndElement;
}

// The child element of a child wrapper, then the rest of the wrapper is skipped.
bool ReadChild(CXmlLexer& lexer, LObject* record, uint8_t field, int depth)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    CXmlLexer::Token token;
    uint32_t codes[3] = {};
    while ((token = NextChildToken(lexer)) == CXmlLexer::kStartTag) {
        if (SplitElementName(lexer.ElementName(), codes) == 2)
            break;
        SkipElement(lexer);
    }
    if (token != CXmlLexer::kStartTag)
        return token == CXmlLexer::kEndElement;
    LObject* existing = record->GetChild(field);
    if (existing && existing->Is(codes[0], codes[1])) {
        if (!CXmlRecordReader::ReadRecord(lexer, existing, depth + 1))
            return false;
    } else if (!ClassAccepted(fd, codes)) {
        SkipElement(lexer);
    } else {
        LObjectPtr child = ReadNewRecord(lexer, codes, depth + 1);
        if (child || fd->IsOnDemand())
            LObject::ReplaceChild(record, nullptr, field, std::move(child));
    }
    SkipElement(lexer);
    return true;
}

// A field's element inside a record's element; false when the whole read fails.
bool ReadFieldElement(CXmlLexer& lexer, LObject* record, int depth)
{
    uint32_t codes[3] = {};
    const int field = SplitElementName(lexer.ElementName(), codes) == 3 && record->Is(codes[0], codes[1])
                          ? FieldWithTag(record, codes[2])
                          : -1;
    const LFieldDesc* fd = field >= 0 ? record->FieldDesc(uint8_t(field)) : nullptr;
    const bool nested = fd && (fd->type == LFieldType::List || fd->type == LFieldType::Child);
    if (!fd || uint8_t(fd->type) > uint8_t(LFieldType::List) || (nested && depth + 1 >= kMaxRecordDepth)) {
        SkipElement(lexer);
        return true;
    }
    if (fd->type == LFieldType::List)
        return ReadList(lexer, record, uint8_t(field), depth);
    if (fd->type == LFieldType::Child)
        return ReadChild(lexer, record, uint8_t(field), depth);
    CXmlTextReader content(&lexer);
    CXmlRecordReader::SetField(record, uint8_t(field), content);
    content.Drain();
    return content.EndedWithElement();
}

} // namespace

bool CXmlRecordReader::ReadRecord(CXmlLexer& lexer, LObject* record, int depth)
{
    for (;;) {
        switch (lexer.NextToken()) {
        case CXmlLexer::kEnd:
            return false;
        case CXmlLexer::kEndElement:
            return true;
        case CXmlLexer::kAttribute: {
            const int field = FieldWithTag(record, StringToFourCC(lexer.AttributeName().Text()));
            const LStringRef value = lexer.ReadAttributeValue();
            if (field >= 0) {
                LStrStream joined;
                JoinLines(value.Text(), joined, "\n");
                LMemInStream source(joined.CStr(), joined.Length());
                SetField(record, uint8_t(field), source);
            }
            break;
        }
        case CXmlLexer::kStartTag:
            if (!ReadFieldElement(lexer, record, depth))
                return false;
            break;
        default:
            break;
        }
    }
}

void CXmlRecordReader::SetField(LObject* record, uint8_t field, LCharSource& source)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    if (!fd)
        return;
    if (fd->type == LFieldType::Array) {
        if (uint8_t(fd->elemType) <= uint8_t(LFieldType::String))
            SetArray(record, field, fd->elemType, source);
    } else if (uint8_t(fd->type) <= uint8_t(LFieldType::String)) {
        SetScalar(record, field, fd->type, source);
    }
}

uint32_t SplitElementName(const LStringRef& name, uint32_t codes[3])
{
    std::string_view rest = name.View();
    uint32_t parts = 0;
    for (;;) {
        const size_t cut = rest.find('_');
        if (parts < 3)
            codes[parts] = StringToFourCC(std::string(rest.substr(0, cut)).c_str());
        parts++;
        if (cut == std::string_view::npos)
            break;
        rest.remove_prefix(cut + 1);
    }
    return parts < 3 ? parts : 3;
}

void SkipElement(CXmlLexer& lexer)
{
    for (uint64_t open = 1; open > 0;) {
        switch (lexer.NextToken()) {
        case CXmlLexer::kEnd:
            return;
        case CXmlLexer::kStartTag:
            open++;
            break;
        case CXmlLexer::kEndElement:
            open--;
            break;
        default:
            break;
        }
    }
}

bool ReadRecordXml(LStream& stream, LObject* root, bool* complete)
{
    if (complete)
        *complete = false;
    if (!root || !root->Class())
        return false;
    CUTF8TextReader source(&stream);
    CXmlLexer lexer(&source);
    for (;;) {
        const CXmlLexer::Token token = lexer.NextToken();
        if (token == CXmlLexer::kEnd || token == CXmlLexer::kEndElement)
            return false;
        if (token != CXmlLexer::kStartTag)
            continue;
        uint32_t codes[3] = {};
        if (SplitElementName(lexer.ElementName(), codes) != 2) {
            SkipElement(lexer);
            return false;
        }
        if (root->Is(codes[0], codes[1])) {
            LObject::ResetAll(root);
            const bool ended = CXmlRecordReader::ReadRecord(lexer, root, 0);
            if (complete)
                *complete = ended;
            return true;
        }
        SkipElement(lexer);
    }
}
