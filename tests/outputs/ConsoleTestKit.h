#pragma once
// A document as far as the consoles need one: its record tree, an undo queue that sees every
// message of the console first, the program's resources and layout prelude, and the window
// model the floating consoles live in.
#include "analysis/records/CFaderSetRecord.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LHandler.h"
#include "foundation/input/LMouse.h"
#include "foundation/records/CUNDOQ.h"
#include "foundation/streams/CMemStream.h"
#include "platform/window/Window.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CPanelWindowKind.h"
#include "shell/windows/WindowNumberCache.h"
#include "tests/support/InstalledResources.h"
#include "tests/support/LiveCell.h"
#include "tests/support/MenuCommand.h"
#include "ui/windows/LWindowDef.h"

#include <gtest/gtest.h>

#include <memory>

// The document window's part in undo: its queue takes the undo messages of its consoles.
class ConsoleDoc : public LHandler {
public:
    explicit ConsoleDoc(LByteBuffer& bytes) : queue(0x100000, std::make_unique<CMemStream>(bytes)) {}
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

class ConsoleFixture : public InstalledResourcesSuite {
protected:
    ConsoleFixture() { WindowNumberCache::MarkStale(); }
    ~ConsoleFixture() override { WindowNumberCache::MarkStale(); }

    // A floating utility panel, as the document window asks for its consoles.
    LWindowDef PanelDef() const
    {
        return LWindowDef(LWindowDef::kLayerFloating, static_cast<const CNativeWindowKind*>(fKind.Get()));
    }
    // Takes back or redoes one step through the Edit menu's commands, as the user would.
    bool Choose(const char* command)
    {
        MenuCommand item(command);
        return fDoc.queue.HandleMessage(item.Selected(nullptr));
    }
    bool Undo() { return Choose("LStdCmd_Undo"); }
    bool Redo() { return Choose("LStdCmd_Redo"); }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    LMouse fMouse;
    LRef fKind{new CPanelWindowKind(3, 0)};
    LByteBuffer fBytes;
    ConsoleDoc fDoc{fBytes};
    CFaderSetRecord fDocument;
};
