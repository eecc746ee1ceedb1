#include "controls/settings/CMenuKeyTable.h"
#include "controls/settings/CMenuKeyDlg.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamTable.h"
#include "foundation/text/LStrList.h"
#include "ui/dialogs/CSimpleMessageDialog.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

#include <vector>

namespace {

constexpr const char* kMessages = "CMENUKEYREG";
constexpr uint32_t kHasDefaultKey = 0;
constexpr uint32_t kKeyTaken = 1;

struct Collected {
    LMenuItem* item;
    bool exact;
    LStringRef key;
    uint32_t row;
};

struct ApplyPass {
    const CMenuKeyTable* table;
    std::vector<Collected> collected;
};

// Gives an item a key from the table. The item's has-key flag marks keys from the menu text
// (default keys, never changed here), so a key from the table leaves it clear.
void SetTableKey(LMenuItem& item, const LStringRef& key)
{
    item.SetKey(key);
    item.hasKey = 0;
}

bool Changeable(const LMenuItem& item)
{
    return !item.hasKey && !item.submenu;
}

void CollectItem(void* context, LMenuItem* item)
{
    auto& pass = *static_cast<ApplyPass*>(context);
    if (!Changeable(*item))
        return;
    const LStringRef command = item->GetCommandName();
    Collected entry{item, false, LStringRef(), 0};
    bool found = false;
    const uint32_t rows = command.IsEmpty() ? 0 : pass.table->RowCount();
    for (uint32_t row = 0; row < rows; row++) {
        if (!StrEqual(pass.table->Cell(row, "cmd").Text(), command.Text()))
            continue;
        found = true;
        entry.key = pass.table->Cell(row, "key");
        entry.row = row;
        if (StrEqual(pass.table->Cell(row, "text").Text(), item->title.Text())) {
            entry.exact = true;
            break;
        }
    }
    if (!found || entry.key.IsEmpty())
        SetTableKey(*item, LStringRef());
    else
        pass.collected.push_back(entry);
}

struct DefaultKeySearch {
    const char* key;
    bool taken = false;
};

void FindDefaultKey(void* context, LMenuItem* item)
{
    auto& search = *static_cast<DefaultKeySearch*>(context);
    if (item->hasKey && StrEqual(item->keyText.Text(), search.key))
        search.taken = true;
}

} // namespace

CMenuKeyTable::CMenuKeyTable(LHandler* owner) : fOwner(owner), fTable(LObject::Create(CParamSchema::TableClass())) {}

CMenuKeyTable::~CMenuKeyTable() = default;

uint32_t CMenuKeyTable::RowCount() const
{
    uint32_t columns = 0, rows = 0;
    if (fTable)
        CParamTable::GetSize(fTable.get(), columns, rows);
    return rows;
}

LStringRef CMenuKeyTable::Cell(uint32_t row, const char* name) const
{
    LStringRef value;
    if (!fTable || !CParamTable::FindInCell(fTable.get(), 0, row, name, &value))
        return LStringRef();
    return value;
}

void CMenuKeyTable::Arm()
{
    if (!fTable)
        return;
    fArmed = true;
    fMarked = false;
    LMenuBar::SetCommandTarget(fOwner);
}

bool CMenuKeyTable::HandleMessage(const LMessage& msg)
{
    if (StrEqual(msg.type, LMenuBar::msgAdded) && msg.subject) {
        Apply(*static_cast<LMenuBar*>(msg.subject));
        return false;
    }
    if (StrEqual(msg.type, LMenuBar::msgReady)) {
        if (fMarked) {
            LMenuBar::SetCommandTarget(nullptr);
            fArmed = false;
            fMarked = false;
        } else if (fArmed && msg.subject) {
            static_cast<LMenuBar*>(msg.subject)->ForEachItem(nullptr, [](void*, LMenuItem* item) {
                item->Reset();
                item->enabled = 1;
            });
            fMarked = true;
        }
        return false;
    }
    if (fArmed && StrEqual(msg.type, LMenuItem::msgSelected) && msg.subject) {
        LMenuBar::SetCommandTarget(nullptr);
        fArmed = false;
        fMarked = false;
        AssignFor(*static_cast<LMenuItem*>(msg.subject));
        return true;
    }
    return false;
}

void CMenuKeyTable::Apply(LMenuBar& bar)
{
    ApplyPass pass{this, {}};
    bar.ForEachItem(&pass, &CollectItem);
    auto& entries = pass.collected;
    for (size_t i = 0; i < entries.size(); i++) {
        for (size_t j = i + 1; j < entries.size() && !entries[i].key.IsEmpty(); j++) {
            if (!StrEqual(entries[j].key.Text(), entries[i].key.Text()))
                continue;
            if (entries[j].row < entries[i].row) {
                entries[j].key = LStringRef();
                CParamTable::SetCellValue(fTable.get(), nullptr, 0, entries[j].row, "key", LStringRef());
            } else if (entries[j].row > entries[i].row) {
                entries[i].key = LStringRef();
                CParamTable::SetCellValue(fTable.get(), nullptr, 0, entries[i].row, "key", LStringRef());
            } else {
                // One row serving two items: only an exact title match keeps the key.
                if (!entries[j].exact)
                    entries[j].key = LStringRef();
                if (!entries[i].exact)
                    entries[i].key = LStringRef();
            }
        }
    }
    for (const Collected& entry : entries)
        SetTableKey(*entry.item, entry.key);
    bar.UpdateNative();
}

void CMenuKeyTable::RemoveDuplicates()
{
    for (int64_t row = int64_t(RowCount()) - 1; row >= 0; row--) {
        const LStringRef command = Cell(uint32_t(row), "cmd");
        if (command.IsEmpty()) {
            CParamTable::DeleteRow(fTable.get(), nullptr, uint32_t(row));
            continue;
        }
        const LStringRef text = Cell(uint32_t(row), "text");
        bool shared = false;
        for (int64_t earlier = row - 1; earlier >= 0; earlier--) {
            if (!StrEqual(Cell(uint32_t(earlier), "cmd").Text(), command.Text()))
                continue;
            if (StrEqual(Cell(uint32_t(earlier), "text").Text(), text.Text())) {
                CParamTable::DeleteRow(fTable.get(), nullptr, uint32_t(earlier));
                row--;
            } else {
                shared = true;
            }
        }
        if (!shared && Cell(uint32_t(row), "key").IsEmpty())
            CParamTable::DeleteRow(fTable.get(), nullptr, uint32_t(row));
    }
}

void CMenuKeyTable::Store(LMenuItem& item, const LStringRef& key, LMenuBar* bar)
{
    uint32_t columns = 0, rows = 0;
    CParamTable::GetSize(fTable.get(), columns, rows);
    if (columns == 0)
        CParamTable::AppendColumn(fTable.get(), nullptr);
    CParamTable::AppendRow(fTable.get(), nullptr);
    const uint32_t row = RowCount() - 1;
    CParamTable::SetCellValue(fTable.get(), nullptr, 0, row, "cmd", item.GetCommandName());
    CParamTable::SetCellValue(fTable.get(), nullptr, 0, row, "text", item.title);
    CParamTable::SetCellValue(fTable.get(), nullptr, 0, row, "key", key);
    RemoveDuplicates();
    if (bar)
        Apply(*bar);
}

void CMenuKeyTable::ShowMessage(uint32_t item)
{
    LStrList texts({0, kMessages}, nullptr, kStrListDialogTexts);
    CSimpleMessageDialog box(fOwner, nullptr, ModalWindowDef(3));
    (void)box.Run(texts.GetItem(item), 0, false);
}

bool CMenuKeyTable::AskForKey(LMenuItem&, LStringRef& key)
{
    CMenuKeyDlg dialog(fOwner);
    if (dialog.RunModal() != LModalDialog::kDefault)
        return false;
    key = dialog.KeyText();
    return true;
}

void CMenuKeyTable::AssignFor(LMenuItem& item)
{
    if (item.hasKey) {
        ShowMessage(kHasDefaultKey);
        return;
    }
    LMenuBar* bar = LMenuBar::Current();
    LMenu* parent = nullptr;
    if (!bar || !item.Menu() || bar->FindMenuPosition(item.Menu(), &parent) < 0)
        return;
    for (;;) {
        LStringRef key;
        if (!AskForKey(item, key))
            return;
        DefaultKeySearch search{key.Text()};
        if (!key.IsEmpty())
            bar->ForEachItem(&search, &FindDefaultKey);
        if (!search.taken) {
            Store(item, key, bar);
            return;
        }
        ShowMessage(kKeyTaken);
    }
}
