#pragma once
#include "foundation/core/LStringRef.h"
#include "foundation/core/LMessage.h"
#include "foundation/records/LObject.h"

#include <cstdint>

class LHandler;
class LMenuBar;
class LMenuItem;


// The user's own menu shortcuts: a one-column parameter table whose rows hold the command
// name ("cmd"), the item's title when the shortcut was given ("text") and the key-equivalent
// text ("key"; empty: none). Later rows win over earlier ones. The table is applied to every
// menu bar that is added and, once armed, turns the next chosen menu item into an assignment.
class CMenuKeyTable {
public:
    explicit CMenuKeyTable(LHandler* owner);
    ~CMenuKeyTable();
    CMenuKeyTable(const CMenuKeyTable&) = delete;
    CMenuKeyTable& operator=(const CMenuKeyTable&) = delete;

    // The next chosen item reaches the owner instead of running its command.
    void Arm();
    bool IsArmed() const { return fArmed; }
    // Offered every message before the owner's own handling; true when it took the message.
    bool HandleMessage(const LMessage& msg);

    // Gives every item without a default key or submenu its key from the table, settling
    // conflicts in favour of the later row.
    void Apply(LMenuBar& bar);
    // Drops rows without a command, earlier rows of the same command and title, and rows
    // with no key that no other title of their command shares.
    void RemoveDuplicates();
    // Stores a copy of the table as the record's child field, replacing the previous child.
    void Save(LObject* record, uint8_t field) const;
    // Takes a copy of the record's child field as the table when it is a parameter table:
    // rows without a command or with an unreadable key are dropped, then duplicates, and the
    // table is applied to the main menu bar. False (the table unchanged) for anything else.
    bool Load(const LObject* record, uint8_t field);
    // Stores a shortcut for the item (empty: none), then cleans and applies the table.
    void Store(LMenuItem& item, const LStringRef& key, LMenuBar* bar);

    LObject* Table() const { return fTable.get(); }
    uint32_t RowCount() const;
    // A parameter of a row; empty when missing.
    LStringRef Cell(uint32_t row, const char* name) const;

protected:
    // Asks the user for the item's key; false when cancelled.
    virtual bool AskForKey(LMenuItem& item, LStringRef& key);
    // Shows item n of the "CMENUKEYREG" messages.
    virtual void ShowMessage(uint32_t item);

public:
    // Runs the assignment for the chosen item.
    void AssignFor(LMenuItem& item);

private:

    LHandler* fOwner;
    LObjectPtr fTable;
    bool fArmed = false;
    bool fMarked = false;
};
