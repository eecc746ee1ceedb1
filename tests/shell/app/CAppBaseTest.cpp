#include "tests/shell/app/AppBaseKit.h"
#include "platform/app/Application.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"
#include "ui/panes/LPane.h"

#include <memory>

namespace {

// A pane that notes, in one shared list, when its deferred pass comes.
class DeferringPane : public LPane {
public:
    DeferringPane(LHandler* parent, char name, std::string& log) : LPane(parent, nullptr), fName(name), fLog(log) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (msg.subject == this && StrEqual(msg.type, msgDeferred)) {
            fLog += fName;
            if (onDeferred)
                onDeferred();
            LMessage::Clear(result);
            return;
        }
        LPane::HandleMessage(result, msg);
    }
    void Defer() { Announce(msgDefer, Parent()); }
    std::function<void()> onDeferred;

private:
    char fName;
    std::string& fLog;
};

class AppBase : public AppBaseTest {
protected:
    void UpdatePass() { delegate.WillUpdate(); }
    bool UpdateAsked() const { return plat::Application::Shared().WindowsNeedUpdate(); }
    std::string log;
};

TEST_F(AppBase, DeferredPanesGetOnePassEachLastRequestFirstAndNoneOnceDestroyed)
{
    DeferringPane a(app.get(), 'A', log), b(app.get(), 'B', log), c(app.get(), 'C', log);
    a.Defer();
    EXPECT_TRUE(UpdateAsked()) << "the first request asks for an update pass";
    b.Defer();
    c.Defer();
    a.Defer();
    EXPECT_EQ(app->DeferredPanes().size(), 3u) << "a pane is queued once";
    UpdatePass();
    EXPECT_EQ(log, "CBA");
    EXPECT_TRUE(app->DeferredPanes().empty());

    auto gone = std::make_unique<DeferringPane>(app.get(), 'G', log); // destroyed while queued: no pass
    gone->Defer();
    b.Defer();
    gone.reset();
    EXPECT_EQ(app->DeferredPanes().size(), 1u);
    UpdatePass();
    EXPECT_EQ(log, "CBAB");
}

TEST_F(AppBase, PanesDeferredDuringThePassWaitForTheNextOne)
{
    DeferringPane a(app.get(), 'A', log), b(app.get(), 'B', log);
    b.onDeferred = [&] { a.Defer(); };
    b.Defer();
    plat::Application::Shared().SetWindowsNeedUpdate(false);
    UpdatePass();
    EXPECT_EQ(log, "B");
    EXPECT_TRUE(UpdateAsked()) << "the queue emptied and filled again, which asked anew";
    UpdatePass();
    EXPECT_EQ(log, "BA");
}

TEST_F(AppBase, RequestsFocusAndCaptureThePaneAndADestroyedCapturerLosesItSilently)
{
    auto pane = std::make_unique<DeferringPane>(app.get(), 'A', log);
    LMessage::Send(LMessage(LPane::msgReqFocus, pane.get(), app.get()));
    EXPECT_TRUE(pane->HasFlags(kPaneFocused));
    LMessage::Send(LMessage(LPane::msgReqCapture, pane.get(), app.get()));
    EXPECT_EQ(fMouse.Capture(), pane.get());
    pane.reset();
    EXPECT_EQ(fMouse.Capture(), nullptr);
    EXPECT_EQ(app->Count("LMouse_Release"), 0);
}

// Backspace and the Delete key (forward delete, U+F728) both choose an enabled Delete item.
TEST_F(AppBase, BothEraseKeysChooseTheDeleteCommand)
{
    app->onMessage = [](const LMessage& msg) {
        if (StrEqual(msg.type, LMenuBar::msgReady))
            static_cast<LMenuBar*>(msg.subject)->EnableCommand("LStdCmd_Delete");
    };
    const struct {
        const char* characters;
        uint32_t code;
        int selected;
    } keys[] = {{"\x7f", 51, 1}, {"\xef\x9c\xa8", 117, 1}, {"\xef\x9c\xa9", 115, 0}}; // Home: no
    for (const auto& key : keys) {
        app->seen.clear();
        fKeyboard.SetKey(key.characters, key.characters, key.code, 0, nullptr);
        fKeyboard.charFlag = 1;
        LMessage::Send(LMessage(LKeyboard::msgDown, &fKeyboard, app.get()));
        EXPECT_EQ(app->Count("LMenuItem_Selected"), key.selected) << key.code;
    }
    app->onMessage = nullptr;
}

TEST_F(AppBase, BackspaceChoosesTheDeleteCommandOnlyWhenEnabled)
{
    LMenuBar* bar = app->MainLoop().MenuBar();
    ASSERT_NE(bar, nullptr);
    fKeyboard.SetKey("\x7f", "\x7f", 51, 0, nullptr);
    fKeyboard.charFlag = 1;
    LMessage::Send(LMessage(LKeyboard::msgDown, &fKeyboard, app.get()));
    EXPECT_EQ(fKeyboard.charFlag, 0) << "no enabled Delete item: the key becomes a character";
    EXPECT_EQ(app->Count("LMenuItem_Selected"), 0);
    EXPECT_EQ(app->Count("LMenuBar_Ready"), 1) << "the menus were made ready first";

    app->seen.clear();
    app->onMessage = [](const LMessage& msg) {
        if (StrEqual(msg.type, LMenuBar::msgReady))
            static_cast<LMenuBar*>(msg.subject)->EnableCommand("LStdCmd_Delete");
    };
    fKeyboard.charFlag = 1;
    LMessage::Send(LMessage(LKeyboard::msgDown, &fKeyboard, app.get()));
    EXPECT_EQ(app->Count("LMenuItem_Selected"), 1) << "Delete went to the command target";
    EXPECT_EQ(fKeyboard.charFlag, 1) << "no character follows";

    app->seen.clear();
    fKeyboard.SetKey("x", "x", 7, 0, nullptr);
    LMessage::Send(LMessage(LKeyboard::msgDown, &fKeyboard, app.get()));
    EXPECT_EQ(fKeyboard.charFlag, 0) << "other keys become characters";
    EXPECT_EQ(app->Count("LMenuItem_Selected"), 0);
    app->onMessage = nullptr;
}

} // namespace
