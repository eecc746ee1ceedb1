#include "ui/files/CFileTypeList.h"

#include "foundation/text/FourCC.h"
#include "foundation/text/LMemInStream.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/TextTokens.h"
#include "platform/TextEncoding.h"

#include <string>

namespace {

constexpr uint32_t kUnknownCreator = 0x3F3F3F3F; // '????'
constexpr uint32_t kTextType = 0x54455854;       // 'TEXT'

// A code line in the application's text encoding, its first four characters as a code.
uint32_t CodeOf(const LStringRef& line)
{
    const std::string roman = plat::Utf8ToMacRoman(line.View());
    return StringToOSType(roman.c_str());
}

} // namespace

CFileTypeList::CFileTypeList(LStrList& list) : LArray(sizeof(Entry*))
{
    ReadItems(list);
}

CFileTypeList::CFileTypeList(const char* listName) : LArray(sizeof(Entry*))
{
    LStrList list(LResRef{0, listName}, nullptr, kStrListDialogTexts);
    ReadItems(list);
}

CFileTypeList::~CFileTypeList()
{
    for (uint32_t i = Count(); i > 0; --i)
        delete Items<Entry*>()[i - 1];
    RemoveAll();
}

void CFileTypeList::ReadItems(LStrList& list)
{
    for (uint32_t i = 0; i < list.Count(); ++i) {
        const LStringRef item = list.GetItem(i);
        LMemInStream in(item.Text(), item.Length());
        LStringRef lines[4];
        bool complete = true;
        for (LStringRef& line : lines)
            complete = complete && ReadTextLine(in, line);
        if (complete)
            AddEntry(lines[2], lines[3], CodeOf(lines[0]), CodeOf(lines[1]));
    }
}

void CFileTypeList::AddEntry(const LStringRef& extension, const LStringRef& label, uint32_t creator, uint32_t type)
{
    auto* entry = new Entry{extension, label, creator, type};
    if (!Append(&entry))
        delete entry;
}

const CFileTypeList::Entry* CFileTypeList::EntryAt(uint32_t index) const
{
    return index < Count() ? Items<Entry*>()[index] : nullptr;
}

LStringRef CFileTypeList::GetName(uint32_t index) const
{
    const Entry* entry = EntryAt(index);
    return entry ? entry->extension : LStringRef();
}

LStringRef CFileTypeList::GetLabel(uint32_t index) const
{
    const Entry* entry = EntryAt(index);
    return entry ? entry->label : LStringRef();
}

uint32_t CFileTypeList::GetCreator(uint32_t index) const
{
    const Entry* entry = EntryAt(index);
    return entry ? entry->creator : kUnknownCreator;
}

uint32_t CFileTypeList::GetType(uint32_t index) const
{
    const Entry* entry = EntryAt(index);
    return entry ? entry->type : kTextType;
}
