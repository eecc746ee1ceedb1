#include "ControlHost.h"
#include "controls/edit/CMacEditText.h"
#include "controls/edit/LEditText.h"
#include "foundation/input/LKeyboard.h"
#include "platform/controls/TextFieldView.h"
#include "shell/windows/MWindowDelegate.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A view that counts the pointer moves reaching it and passes none on.
class MoveCountingView : public plat::View {
public:
    static plat::Ref<MoveCountingView> Make() { return plat::Ref<MoveCountingView>::Adopt(new MoveCountingView()); }
    void MouseMoved(const plat::Event&) override { ++moves; }
    int moves = 0;

private:
    MoveCountingView() : View(plat::Rect{0, 0, 300, 200}) {}
};

// The host's controls live in a view inside the content view, as panes of a nested frame do.
class NestedHost : public ControlHost {
public:
    void GetContext(LPaneContext& context) const override
    {
        ControlHost::GetContext(context);
        context.view = inner.Get();
    }
    plat::Ref<MoveCountingView> inner = MoveCountingView::Make();
};

// Edit texts in a key window whose delegate is the program's window delegate.
class SharedFieldEditorTest : public ::testing::Test {
protected:
    SharedFieldEditorTest()
    {
        host.fWindow->SetContentView(content.Get());
        content->AddSubview(host.inner.Get());
        host.fWindow->SetDelegate(&delegate);
    }
    ~SharedFieldEditorTest() override { host.fWindow->SetDelegate(nullptr); }

    std::unique_ptr<LEditText> Make(uint32_t mode, uint32_t style, int32_t top)
    {
        auto field = std::make_unique<LEditText>(&host, mode, style);
        Activate(*field, CLRect{10, top, 210, top + 22});
        field->SetState(kEventKeyWindow);
        return field;
    }
    void Type(const std::string& characters)
    {
        host.driver.PostKey(plat::EventType::KeyDown, characters, 0);
        host.driver.DeliverAll();
    }
    static plat::TextFieldView* FieldOf(const LEditText& edit) { return edit.Editor() ? edit.Editor()->Field() : nullptr; }

    NestedHost host;
    LKeyboard keyboard;
    plat::Ref<MoveCountingView> content = MoveCountingView::Make();
    MWindowDelegate delegate{nullptr};
};

} // namespace

TEST_F(SharedFieldEditorTest, FieldsTypeThroughTheWindowsEditorInTheirLineModeAndGiveItBack)
{
    const struct {
        uint32_t mode;
        const char* typed;
    } rows[] = {{LEditText::kSingleLine, "ab"}, {LEditText::kMultiLine, "a\nb"}};
    for (const auto& row : rows) {
        auto edit = Make(row.mode, 0, 10);
        edit->SetState(kEventFocus);
        ASSERT_NE(delegate.SharedEditor(), nullptr);
        EXPECT_EQ(FieldOf(*edit)->CurrentEditor(), &delegate.SharedEditor()->Editor());
        EXPECT_EQ(delegate.SharedEditor()->Client(), FieldOf(*edit));
        for (const char* key : {"a", "\r", "b"})
            Type(key);
        edit->SetState(kEventUnfocus);
        EXPECT_EQ(edit->GetText(), row.typed);
        EXPECT_EQ(delegate.SharedEditor()->Client(), nullptr);
        EXPECT_EQ(delegate.SharedEditor()->Superview(), nullptr);
    }
}

TEST_F(SharedFieldEditorTest, TakingTheEditorEndsTheOtherFieldsEditingWithItsText)
{
    auto one = Make(LEditText::kSingleLine, 0, 10);
    auto two = Make(LEditText::kSingleLine, 0, 50);
    one->SetState(kEventFocus);
    Type("one");
    plat::TextFieldView* fieldOne = FieldOf(*one);
    two->SetState(kEventFocus);                       // the editor moves without the first losing focus
    EXPECT_FALSE(fieldOne->IsEditing());
    EXPECT_EQ(delegate.SharedEditor()->Client(), FieldOf(*two));
    EXPECT_EQ(delegate.SharedEditor()->Superview(), FieldOf(*two));
    Type("two");                                      // typing goes to the field holding the editor
    EXPECT_EQ(one->GetText(), "one");
    EXPECT_EQ(two->GetText(), "two");

    two.reset();                                      // a field that goes while editing gives the editor back
    EXPECT_EQ(delegate.SharedEditor()->Client(), nullptr);
    one->SetState(kEventUnfocus);
    one->SetState(kEventFocus);
    EXPECT_EQ(delegate.SharedEditor()->Editor().Text(), "one");
    Type("1");
    EXPECT_EQ(one->GetText(), "1");
}

TEST_F(SharedFieldEditorTest, PointerMovesOverAnEditedFieldGoToTheContentViewThroughTheEditor)
{
    host.fWindow->acceptsMouseMovedEvents = true;
    const struct {
        uint32_t style;
        int content, inner;
    } rows[] = {
        {0, 2, 0},                        // the shared editor hands them to the content view
        {LEditText::kPassword, 0, 2},     // a field's own editor: up its superviews
    };
    for (const auto& row : rows) {
        content->moves = host.inner->moves = 0;
        auto edit = Make(LEditText::kSingleLine, row.style, 10);
        edit->SetState(kEventFocus);
        ASSERT_EQ(host.fWindow->FirstResponder(), FieldOf(*edit));
        host.driver.PostMouse(plat::EventType::MouseMoved, host.Screen(20, 20));
        host.driver.PostMouse(plat::EventType::MouseMoved, host.Screen(25, 20));
        host.driver.DeliverAll();
        EXPECT_EQ(content->moves, row.content) << row.style;
        EXPECT_EQ(host.inner->moves, row.inner) << row.style;
        edit->SetState(kEventUnfocus);
    }
}
