#include "controls/settings/CMenuKeyTable.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/StrEqual.h"
#include "foundation/persist/LObjFormReader.h"
#include "foundation/persist/LObjFormWriter.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamTable.h"
#include "ui/menus/KeyEquiv.h"
#include "ui/menus/LMenuBar.h"

#include <cstring>

namespace {

// Bounds of what a stored table may hold; rows beyond them are dropped.
constexpr uint32_t kMaxRows = 1000;
constexpr size_t kMaxNameLength = 255;
constexpr size_t kMaxKeyLength = 8;

// A copy of the record made by writing it in the record format and reading it back.
LObjectPtr CopyRecord(const LObject* record)
{
    if (!record)
        return nullptr;
    LByteBuffer buffer;
    {
        LObjFormWriter writer(CParamSchema::kCreator, CParamSchema::kTableClass, buffer);
        writer.WriteObject(record);
        if (writer.Error() != 0)
            return nullptr;
    }
    LObjFormReader reader(buffer.Data(), buffer.Size());
    return reader.ReadObject();
}

bool IsTable(const LObject* record)
{
    return record && record->Class() == CParamSchema::TableClass();
}

// A key text is empty or one the menus can read back, and short.
bool IsValidKey(const LStringRef& key)
{
    if (key.IsEmpty())
        return true;
    KeyEquiv::Parsed parsed;
    return std::strlen(key.Text()) <= kMaxKeyLength && KeyEquiv::Parse(key.Text(), parsed);
}

bool IsValidRow(const LStringRef& command, const LStringRef& text, const LStringRef& key)
{
    return !command.IsEmpty() && std::strlen(command.Text()) <= kMaxNameLength &&
           std::strlen(text.Text()) <= kMaxNameLength && IsValidKey(key);
}

// A clean one-column table holding the stored rows that make sense, in their order.
LObjectPtr CleanCopy(const LObject* stored)
{
    LObjectPtr clean = LObject::Create(CParamSchema::TableClass());
    if (!clean)
        return nullptr;
    CParamTable::AppendColumn(clean.get(), nullptr);
    uint32_t columns = 0, rows = 0;
    CParamTable::GetSize(stored, columns, rows);
    uint32_t kept = 0;
    for (uint32_t row = 0; row < rows && kept < kMaxRows; row++) {
        LStringRef command, text, key;
        if (!CParamTable::FindInCell(stored, 0, row, "cmd", &command))
            continue;
        (void)CParamTable::FindInCell(stored, 0, row, "text", &text);
        (void)CParamTable::FindInCell(stored, 0, row, "key", &key);
        if (!IsValidRow(command, text, key))
            continue;
        CParamTable::AppendRow(clean.get(), nullptr);
        CParamTable::SetCellValue(clean.get(), nullptr, 0, kept, "cmd", command);
        CParamTable::SetCellValue(clean.get(), nullptr, 0, kept, "text", text);
        CParamTable::SetCellValue(clean.get(), nullptr, 0, kept, "key", key);
        kept++;
    }
    return clean;
}

} // namespace

void CMenuKeyTable::Save(LObject* record, uint8_t field) const
{
    if (!record || !fTable)
        return;
    LObjectPtr copy = CopyRecord(fTable.get());
    if (copy)
        LObject::ReplaceChild(record, nullptr, field, std::move(copy));
}

bool CMenuKeyTable::Load(const LObject* record, uint8_t field)
{
    LObjectPtr copy = CopyRecord(record ? record->GetChild(field) : nullptr);
    if (!IsTable(copy.get()))
        return false;
    // Stored preferences may be damaged: rows that make no sense are dropped, the rest kept.
    LObjectPtr clean = CleanCopy(copy.get());
    if (!clean)
        return false;
    fTable = std::move(clean);
    RemoveDuplicates();
    if (LMenuBar* bar = LMenuBar::Current())
        Apply(*bar);
    return true;
}
