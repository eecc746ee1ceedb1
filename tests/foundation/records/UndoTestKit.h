#pragma once
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LHandler.h"
#include "foundation/records/CUNDOQ.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjRoot.h"
#include "foundation/streams/CMemStream.h"
#include "tests/foundation/records/RecordTestKit.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"
#include "foundation/text/LStrList.h"
#include "tests/support/MemResourceSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

// A document window as far as undo goes: its queue sees every message first.
class UndoDoc : public LHandler {
public:
    UndoDoc(uint64_t capacity, std::unique_ptr<LStream> stream) : queue(capacity, std::move(stream)) {}
    explicit UndoDoc(uint64_t capacity) : queue(capacity) {}  // history in a scratch file
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (queue.HandleMessage(msg)) {
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    CUNDOQ queue;
};

// The Edit menu's Undo and Redo entries as a real menu bar made from resources in memory.
class UndoMenuResources {
public:
    UndoMenuResources()
    {
        const char bar[] = "\0\1UNDOEDIT";
        const char menu[] = "\0\3EDIT\nEdit\0LStdCmd_Undo\nUndo\nZ\0LStdCmd_Redo\nRedo\nsZ";
        resources.Add(kStrListMenuBar, 128, "UNDOBAR", std::string(bar, sizeof bar));
        resources.Add(kStrListMenu, 128, "UNDOEDIT", std::string(menu, sizeof menu));
    }
    MemResourceSource resources;
};

// A menu bar whose enabled entries read back as "command=title", in menu order.
class FakeMenuBar : private UndoMenuResources, public LMenuBar {
public:
    FakeMenuBar() : LMenuBar(nullptr, "UNDOBAR", &resources) { ResetItems(); }
    std::vector<std::string> Enabled() const
    {
        std::vector<std::string> enabled;
        ForEachItem(&enabled, [](void* context, LMenuItem* item) {
            if (item->enabled)
                static_cast<std::vector<std::string>*>(context)->push_back(
                    std::string(item->GetCommandName().View()) + "=" + item->title.Text());
        });
        return enabled;
    }
};

// A menu entry that carries one command.
class FakeMenuItem : public LMenuItem {
public:
    explicit FakeMenuItem(const char* command) : LMenuItem(nullptr) { AddCommand(command); }
};

// A document (record tree), its undo queue over a memory stream, and a control inside it.
class UndoFixtureBase {
public:
    explicit UndoFixtureBase(uint64_t capacity = 0x100000) : UndoFixtureBase(capacity, nullptr) {}
    // Over the given stream instead; null means a memory stream over `bytes`.
    UndoFixtureBase(uint64_t capacity, std::unique_ptr<CMemStream> stream)
        : doc(capacity, stream ? std::move(stream) : std::make_unique<CMemStream>(bytes)), control(&doc),
          holder(LObject::Create(RootClass()))
    {
    }
    LObject* Root() const { return holder.Root(); }
    void SetIval(int32_t v, LObject::Merge merge = LObject::Merge::No)
    {
        LObject::SetInt(Root(), &control, RootF::ival, v, merge);
    }
    void SetFlt(float v) { LObject::SetFloat(Root(), &control, RootF::flt, v, LObject::Merge::Yes); }
    int32_t Ival() const { return Root()->GetInt(RootF::ival); }
    float Flt() const { return Root()->GetFloat(RootF::flt); }
    // The history is spent: nothing left to undo or redo.
    void ExpectEmptyHistory() const
    {
        EXPECT_FALSE(doc.queue.CanUndo());
        EXPECT_FALSE(doc.queue.CanRedo());
    }
    // Undoes or redoes one step through the menu command, as the user would.
    bool Choose(const char* command)
    {
        FakeMenuItem item(command);
        return doc.queue.HandleMessage(LMessage("LMenuItem_Selected", &item, nullptr));
    }
    bool Undo() { return Choose("LStdCmd_Undo"); }
    bool Redo() { return Choose("LStdCmd_Redo"); }
    // Where the newest undo record starts (the ring's file is plain memory).
    uint64_t LastRecordStart() const
    {
        const CUndoRing& ring = doc.queue.Ring();
        uint32_t length = 0;
        if (ring.cur < 4)
            return 0;
        std::memcpy(&length, bytes.Data() + ring.cur - 4, 4);
        return ring.cur - length;
    }

    LByteBuffer bytes;
    UndoDoc doc;
    PlainHandler control;
    LObjRoot holder;
};
