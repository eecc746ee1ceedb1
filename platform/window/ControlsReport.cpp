#include "platform/window/ControlsReport.h"
#include "platform/app/Application.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/PopUpButton.h"
#include "platform/controls/Scroller.h"
#include "platform/controls/Slider.h"
#include "platform/controls/TextFieldView.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuListView.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>

namespace plat {

namespace {

ControlsReport::WindowTexts gWindowTexts = nullptr;

void PutRect(std::ostringstream& out, const Rect& r)
{
    out << int(r.x) << ' ' << int(r.y) << ' ' << int(r.width) << ' ' << int(r.height);
}

// One line of the report: a text's line ends become blanks.
std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    return text;
}

// A rectangle of a view (its own coordinates) on the screen.
Rect OnScreen(const Window& window, const View& view, const Rect& local)
{
    const Rect inWindow = view.ConvertRectToWindow(local);
    const Point origin = window.ConvertBaseToScreen(Point{inWindow.x, inWindow.y});
    return Rect{origin.x, origin.y, inWindow.width, inWindow.height};
}

std::string KindOf(const Control& control)
{
    if (const auto* button = dynamic_cast<const Button*>(&control)) {
        switch (button->GetKind()) {
        case Button::Kind::Momentary: return "push";
        case Button::Kind::PushOnOff: return "onoff";
        case Button::Kind::Switch: return "check";
        case Button::Kind::Radio: return "radio";
        }
    }
    if (dynamic_cast<const PopUpButton*>(&control))
        return "popup";
    if (dynamic_cast<const Slider*>(&control))
        return "slider";
    if (dynamic_cast<const Scroller*>(&control))
        return "scroller";
    return "other";
}

void PutControls(std::ostringstream& out, const Window& window, const View& view, bool shown)
{
    shown = shown && !view.IsHidden();
    if (const auto* host = dynamic_cast<const ControlView*>(&view); host && shown) {
        const Control& control = host->Model();
        int state = 0;
        if (const auto* button = dynamic_cast<const Button*>(&control))
            state = button->State();
        if (const auto* slider = dynamic_cast<const Slider*>(&control))
            state = slider->IntValue();
        const auto* popup = dynamic_cast<const PopUpButton*>(&control);
        if (popup)
            state = popup->SelectedIndex() + (popup->IsMenuOpen() ? 100 : 0);
        out << "control\t" << KindOf(control) << '\t' << control.IsEnabled() << '\t' << control.ShowsFocus() << '\t'
            << state << '\t';
        PutRect(out, OnScreen(window, view, view.Bounds()));
        out << '\t' << control.Title() << '\n';
    }
    if (const auto* field = dynamic_cast<const TextFieldView*>(&view); field && shown) {
        out << "field\t" << field->IsEditable() << '\t' << field->IsEditing() << '\t';
        PutRect(out, OnScreen(window, view, view.Bounds()));
        out << '\t' << OneLine(field->IsSecure() ? std::string() : field->StringValue()) << '\n';
    }
    for (const Ref<View>& sub : view.Subviews())
        PutControls(out, window, *sub, shown);
}

void PutMenuRows(std::ostringstream& out, const Window& window, const MenuListView& list)
{
    const Menu& menu = *list.ItemMenu();
    for (size_t i = 0; i < menu.Count(); ++i) {
        const std::shared_ptr<MenuItem> item = menu.ItemAt(i);
        if (!item || item->IsSeparator())
            continue;
        const int row = int(i);
        const double top = list.RowTopInView(row);
        const double bottom = row + 1 < int(menu.Count()) ? list.RowTopInView(row + 1) : list.Bounds().height;
        out << "item\t" << row << '\t' << list.IsSelectable(row) << '\t' << list.OpensSubmenu(row) << '\t'
            << item->State() << '\t';
        PutRect(out, OnScreen(window, list, Rect{0, top, list.Bounds().width, bottom - top}));
        out << '\t' << item->Title() << '\n';
    }
}

const MenuListView* FindMenuList(const View& view)
{
    if (const auto* list = dynamic_cast<const MenuListView*>(&view))
        return list;
    for (const Ref<View>& sub : view.Subviews())
        if (const MenuListView* found = FindMenuList(*sub))
            return found;
    return nullptr;
}

// The rows of the open lists of the pop-up buttons in `window` that `shownIn` shows: a list in
// a pop-up window of its own is reported as that window's rows, one without as its button's
// window's rows.
void PutPopUpRows(std::ostringstream& out, const Window& window, const View& view, const Window& shownIn)
{
    if (const auto* host = dynamic_cast<const ControlView*>(&view))
        if (const auto* popup = dynamic_cast<const PopUpButton*>(&host->Model()); popup && popup->IsMenuOpen()) {
            const Window* list = host->ShownPopUpList();
            if (list ? list != &shownIn : &window != &shownIn)
                return;
            const Rect visible = popup->MenuVisibleRect();
            for (int i = 0; i < popup->ItemCount(); ++i) {
                if (popup->IsSeparator(i))
                    continue;
                const Rect row{visible.x, popup->RowTop(i), visible.width, popup->RowHeight()};
                if (row.y < visible.y - 0.5 || row.y + row.height > visible.y + visible.height + 0.5)
                    continue;
                out << "item\t" << i << "\t1\t0\t" << (i == popup->SelectedIndex()) << '\t';
                PutRect(out, OnScreen(window, view, row));
                out << '\t' << popup->ItemTitle(i) << '\n';
            }
        }
    for (const Ref<View>& sub : view.Subviews())
        PutPopUpRows(out, window, *sub, shownIn);
}

std::string ReportText()
{
    std::ostringstream out;
    WindowServer& server = WindowServer::Shared();
    for (Window* window : server.OrderedWindows()) {
        if (!window->IsVisible())
            continue;
        out << "window\t" << window->Number() << '\t' << window->Level() << '\t' << window->IsKey() << '\t'
            << (window == Application::Shared().ModalWindowOnScreen()) << '\t' << window->becomesKeyOnlyIfNeeded << '\t';
        PutRect(out, window->ContentRect());
        out << '\t' << window->Title() << '\n';
        const Rect content = window->ContentRect();
        if (window->ShowsMenuBar())
            for (const MenuBar::Title& title : MenuBar::Titles()) {
                out << "bar\t";
                PutRect(out, Rect{content.x + title.x, content.y + content.height, title.width, window->MenuBarHeight()});
                out << '\t' << title.text << '\n';
            }
        if (View* root = window->ContentView()) {
            if (const MenuListView* list = FindMenuList(*root))
                PutMenuRows(out, *window, *list);
            PutControls(out, *window, *root, true);
        }
        if (gWindowTexts)
            out << gWindowTexts(*window);
        for (Window* owner : server.OrderedWindows())
            if (owner->IsVisible() && owner->ContentView())
                PutPopUpRows(out, *owner, *owner->ContentView(), *window);
    }
    return out.str();
}

} // namespace

std::string ControlsReport::Text()
{
    return ReportText();
}

void ControlsReport::SetWindowTexts(WindowTexts texts)
{
    gWindowTexts = texts;
}

std::string ControlsReport::TextLine(const Rect& screen, std::string text)
{
    std::ostringstream out;
    out << "text\t";
    PutRect(out, screen);
    out << '\t' << OneLine(std::move(text)) << '\n';
    return out.str();
}

void ControlsReport::Update()
{
    static const char* path = std::getenv(kVariable);
    if (!path || !*path)
        return;
    static std::string last;
    std::string text = ReportText();
    if (text == last)
        return;
    // Written beside and renamed, so a reader never sees half a report.
    const std::string temporary = std::string(path) + ".new";
    if (FILE* file = std::fopen(temporary.c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        std::rename(temporary.c_str(), path);
        last = std::move(text);
    }
}

} // namespace plat
