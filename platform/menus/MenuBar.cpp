#include "platform/menus/MenuBar.h"
#include "platform/controls/ControlLook.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Font.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuItem.h"

#include <cctype>
#include <cmath>

namespace plat::MenuBar {

namespace {

constexpr double kFontSize = 13.0;
constexpr double kLeftMargin = 6.0;
constexpr double kTitlePadding = 9.0;
constexpr Color kBarFace{0.88, 0.88, 0.88, 1.0};
constexpr Color kBarEdge{0.70, 0.70, 0.70, 1.0};

} // namespace

const Font* MenuFont()
{
    // Opened once and kept for the life of the process.
    static const Font* font = Font::Open("DejaVu Sans", kFontSize, false, false, nullptr);
    return font;
}

std::vector<Title> Titles()
{
    std::vector<Title> titles;
    const std::shared_ptr<Menu> main = MainMenu();
    const Font* font = MenuFont();
    if (!main || !font)
        return titles;
    double x = kLeftMargin;
    for (size_t i = 0; i < main->Count(); ++i) {
        const std::shared_ptr<MenuItem> item = main->ItemAt(i);
        if (!item->HasSubmenu() || item->Submenu()->Title().empty())
            continue;
        Title title{i, item->Submenu()->Title(), x, 0.0};
        title.width = std::ceil(font->Advance(title.text)) + 2 * kTitlePadding;
        x += title.width;
        titles.push_back(std::move(title));
    }
    return titles;
}

int TitleAt(double x)
{
    const std::vector<Title> titles = Titles();
    for (size_t i = 0; i < titles.size(); ++i)
        if (x >= titles[i].x && x < titles[i].x + titles[i].width)
            return int(i);
    return -1;
}

void Draw(Canvas& canvas, const PixelRect& strip, int openTitle)
{
    canvas.Save();
    canvas.ClipToRects({strip});
    canvas.SetBlendMode(BlendMode::Copy);
    canvas.SetFillColor(kBarFace);
    canvas.FillRect(Rect{double(strip.x), double(strip.y), double(strip.width), double(strip.height)});
    canvas.SetFillColor(kBarEdge);
    canvas.FillRect(Rect{double(strip.x), double(strip.y + strip.height - 1), double(strip.width), 1});
    canvas.SetBlendMode(BlendMode::Normal);
    const Font* font = MenuFont();
    const std::vector<Title> titles = Titles();
    for (size_t i = 0; i < titles.size() && font; ++i) {
        const Title& title = titles[i];
        const bool open = int(i) == openTitle;
        if (open) {
            canvas.SetFillColor(ControlLook::kAccent);
            canvas.FillRect(Rect{strip.x + title.x, double(strip.y), title.width, double(strip.height - 1)});
        }
        canvas.SetFillColor(open ? ControlLook::kWhite : ControlLook::kMark);
        const double baseline = strip.y + std::floor((strip.height + font->Ascender() - font->Descender()) / 2);
        font->Draw(canvas, title.text, Point{strip.x + title.x + kTitlePadding, baseline});
    }
    canvas.Restore();
}

std::string ShortcutText(const std::string& key, uint32_t modifierMask)
{
    if (key.empty())
        return {};
    std::string text;
    const bool shift = modifierMask & kShiftKeyMask;
    std::string shown = key;
    if (key.size() == 1)
        shown = key == " " ? "Space" : std::string(1, char(std::toupper(static_cast<unsigned char>(key[0]))));
    if (modifierMask & kCommandKeyMask)
        text += "Ctrl+";
    if (modifierMask & kOptionKeyMask)
        text += "Alt+";
    if (shift)
        text += "Shift+";
    if (modifierMask & kControlKeyMask)
        text += "Super+";
    return text + shown;
}

std::string ShortcutText(const MenuItem& item)
{
    const std::string& key = item.KeyEquivalent();
    uint32_t mask = item.KeyEquivalentModifierMask();
    if (key.size() == 1 && std::isupper(static_cast<unsigned char>(key[0])))
        mask |= kShiftKeyMask; // an upper-case equivalent asks for Shift
    return ShortcutText(key, mask);
}

} // namespace plat::MenuBar
