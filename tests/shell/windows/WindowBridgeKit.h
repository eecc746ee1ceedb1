#pragma once
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/MWindowView.h"
#include "shell/windows/WindowNumberCache.h"
#include "tests/support/RecordingHandler.h"
#include "ui/windows/LWindow.h"

#include <gtest/gtest.h>

#include <memory>

// A desktop service, mouse and keyboard state and a recording frame, reset around each test.
class WindowBridgeTest : public ::testing::Test {
protected:
    WindowBridgeTest() { WindowNumberCache::MarkStale(); MWindowView::ResetContextMenuTimestamp(); }
    ~WindowBridgeTest() override { WindowNumberCache::MarkStale(); }

    // A framework window of the kind, owned by the test, its frame the recording handler.
    std::unique_ptr<LWindow> MakeWindow(uint32_t kind, uint32_t layer = 1, LHandler* frame = nullptr)
    {
        LRef kindRef(new CNativeWindowKind(kind));
        return std::make_unique<LWindow>(LWindowDef(layer, static_cast<CNativeWindowKind*>(kindRef.Get())),
                                         frame ? frame : &fFrame, nullptr);
    }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    LMouse fMouse;
    LKeyboard fKeyboard;
    RecordingHandler fFrame;
};
