#include "platform/controls/PopUpButton.h"

#include "platform/controls/ControlLook.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace plat {
namespace {

// Row height of the menu when the control has no height yet.
constexpr double kDefaultRowHeight = 20.0;

} // namespace

PopUpButton::PopUpButton()
{
    SetContinuous(false);
}

std::string PopUpButton::ItemTitle(int index) const
{
    if (index < 0 || index >= ItemCount() || fItems[index].separator)
        return {};
    return fItems[index].title;
}

bool PopUpButton::IsSeparator(int index) const
{
    return index >= 0 && index < ItemCount() && fItems[index].separator;
}

void PopUpButton::InsertItem(const std::string& title, int index)
{
    index = std::clamp(index, 0, ItemCount());
    fItems.insert(fItems.begin() + index, Item{title, false});
    if (fSelected >= index)
        ++fSelected;
}

void PopUpButton::InsertSeparator(int index)
{
    index = std::clamp(index, 0, ItemCount());
    fItems.insert(fItems.begin() + index, Item{{}, true});
    if (fSelected >= index)
        ++fSelected;
}

void PopUpButton::RemoveItem(int index)
{
    if (index < 0 || index >= ItemCount())
        return;
    fItems.erase(fItems.begin() + index);
    if (fSelected == index)
        fSelected = ItemCount() > 0 ? std::min(index, ItemCount() - 1) : -1;
    else if (fSelected > index)
        --fSelected;
}

void PopUpButton::RemoveAllItems()
{
    fItems.clear();
    fSelected = -1;
}

void PopUpButton::SelectItem(int index)
{
    fSelected = (index >= 0 && index < ItemCount() && !fItems[index].separator) ? index : -1;
}

Rect PopUpButton::NaturalSize() const
{
    double widest = 0;
    for (const Item& item : fItems)
        if (!item.separator)
            widest = std::max(widest, std::ceil(TextAdvance(GetFont(), item.title)));
    return Rect{0, 0, widest + 36, std::ceil(FontLineHeight(GetFont())) + 6};
}

double PopUpButton::RowHeight() const
{
    return Height() > 0 ? Height() : kDefaultRowHeight;
}

double PopUpButton::RowTop(int index) const
{
    return fMenuOrigin.y + index * RowHeight();
}

int PopUpButton::RowAt(Point where) const
{
    if (!fMenuOpen || !plat::Contains(fVisible, where))
        return -1;
    const double row = std::floor((where.y - fMenuOrigin.y) / RowHeight());
    if (row < 0 || row >= ItemCount() || fItems[static_cast<size_t>(row)].separator)
        return -1;
    return static_cast<int>(row);
}

void PopUpButton::ResetPlacement()
{
    fMenuOrigin = Point{0, -std::max(fSelected, 0) * RowHeight()};
    fVisible = MenuRect();
}

void PopUpButton::PlaceMenu(Point rowsOrigin, const Rect& visible)
{
    fMenuOrigin = rowsOrigin;
    fVisible = visible;
    ScrollMenu(0); // the rows fill the visible part
}

bool PopUpButton::MenuScrolls() const
{
    return ItemCount() * RowHeight() > fVisible.height;
}

void PopUpButton::ScrollMenu(double dy)
{
    const double total = ItemCount() * RowHeight();
    const double lowest = fVisible.y + fVisible.height - total; // the last row at the bottom
    fMenuOrigin.y = total <= fVisible.height ? fVisible.y : std::clamp(fMenuOrigin.y - dy, lowest, fVisible.y);
}

void PopUpButton::KeepInView(int row)
{
    if (row < 0)
        return;
    const double top = RowTop(row);
    if (top < fVisible.y)
        ScrollMenu(top - fVisible.y);
    else if (top + RowHeight() > fVisible.y + fVisible.height)
        ScrollMenu(top + RowHeight() - fVisible.y - fVisible.height);
}

void PopUpButton::OpenMenu()
{
    if (ItemCount() == 0)
        return;
    fMenuOpen = true;
    ResetPlacement();
    fHighlighted = fSelected;
    fTyped.clear();
}

void PopUpButton::CloseMenu()
{
    fMenuOpen = false;
    fHighlighted = -1;
}

void PopUpButton::HighlightAt(Point where)
{
    fHighlighted = RowAt(where);
}

void PopUpButton::MoveHighlight(int step)
{
    if (!fMenuOpen || step == 0)
        return;
    const int direction = step > 0 ? 1 : -1;
    // With nothing highlighted, the first move lands on the selected item, else on an end.
    int row = fHighlighted >= 0 ? fHighlighted : fSelected >= 0 ? fSelected - direction : direction > 0 ? -1 : ItemCount();
    for (int moves = std::abs(step); moves > 0;) {
        int next = row + direction;
        while (next >= 0 && next < ItemCount() && fItems[static_cast<size_t>(next)].separator)
            next += direction;
        if (next < 0 || next >= ItemCount())
            break;
        row = next;
        --moves;
    }
    if (row >= 0 && row < ItemCount() && !fItems[static_cast<size_t>(row)].separator) {
        fHighlighted = row;
        KeepInView(row);
    }
}

void PopUpButton::TypeSelect(const std::string& typed)
{
    if (!fMenuOpen || typed.empty())
        return;
    const uint64_t now = NowMs();
    if (now - fTypedMs > kTypeSelectMs)
        fTyped.clear();
    fTypedMs = now;
    fTyped += typed;
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    const std::string prefix = lower(fTyped);
    for (int i = 0; i < ItemCount(); ++i) {
        if (!fItems[i].separator && lower(fItems[i].title).rfind(prefix, 0) == 0) {
            fHighlighted = i;
            KeepInView(i);
            return;
        }
    }
}

bool PopUpButton::Choose(int row)
{
    if (!fMenuOpen || row < 0 || row >= ItemCount() || fItems[static_cast<size_t>(row)].separator)
        return false;
    CloseMenu();
    fSelected = row;
    SendAction();
    return true;
}

void PopUpButton::TrackDown(Point where)
{
    fMenuOpen = ItemCount() > 0;
    ResetPlacement();
    fHighlighted = RowAt(where);
    fPressAt = where;
    fMovedSincePress = false;
    fTyped.clear();
}

void PopUpButton::TrackDrag(Point where)
{
    if (std::hypot(where.x - fPressAt.x, where.y - fPressAt.y) > kStayOpenSlop)
        fMovedSincePress = true;
    fHighlighted = RowAt(where);
}

void PopUpButton::TrackUp(Point where)
{
    TrackDrag(where);
    if (!fMovedSincePress)
        return; // a click: the menu stays open for the choice
    if (!Choose(RowAt(where)))
        CloseMenu();
}


void PopUpButton::Draw(Canvas& canvas) const
{
    using namespace ControlLook;
    Bevel(canvas, Rect{0, 0, Width(), Height()}, kFace, IsEnabled());
    const double side = std::min(Height(), 16.0);
    Arrow(canvas, Rect{Width() - side - 2, (Height() - side) / 2, side, side}, true, kMark);
    DrawLabel(canvas, GetFont(), Title(), Rect{8, 0, Width() - side - 10, Height()});
    if (fMenuOpen)
        DrawMenu(canvas);
}

Rect PopUpButton::MenuRect() const
{
    return Rect{fMenuOrigin.x, RowTop(0), Width(), ItemCount() * RowHeight()};
}

void PopUpButton::DrawMenu(Canvas& canvas) const
{
    using namespace ControlLook;
    canvas.Save();
    canvas.ClipToRect(fVisible);
    for (int i = 0; i < ItemCount(); ++i) {
        const Rect row{fMenuOrigin.x, RowTop(i), Width(), RowHeight()};
        canvas.SetFillColor(i == fHighlighted ? kAccent : kWhite);
        canvas.FillRect(row);
        if (fItems[i].separator) {
            canvas.SetStrokeColor(kEdge);
            canvas.StrokeLine(Point{row.x + 2, row.y + row.height / 2},
                              Point{row.x + Width() - 2, row.y + row.height / 2});
        } else {
            DrawLabel(canvas, GetFont(), fItems[i].title, Rect{row.x + 8, row.y, Width() - 10, row.height});
        }
    }
    canvas.Restore();
}

} // namespace plat
