#include "platform/controls/PopUpButton.h"

#include "platform/controls/ControlLook.h"

#include <algorithm>
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
    return (index - std::max(fSelected, 0)) * RowHeight();
}

int PopUpButton::RowAt(Point where) const
{
    if (!fMenuOpen || where.x < 0 || where.x >= Width())
        return -1;
    const double row = std::floor(where.y / RowHeight()) + std::max(fSelected, 0);
    if (row < 0 || row >= ItemCount() || fItems[static_cast<size_t>(row)].separator)
        return -1;
    return static_cast<int>(row);
}

void PopUpButton::TrackDown(Point where)
{
    fMenuOpen = ItemCount() > 0;
    fHighlighted = RowAt(where);
}

void PopUpButton::TrackDrag(Point where)
{
    fHighlighted = RowAt(where);
}

void PopUpButton::TrackUp(Point where)
{
    const int chosen = RowAt(where);
    fMenuOpen = false;
    fHighlighted = -1;
    if (chosen < 0)
        return;
    fSelected = chosen;
    SendAction();
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
    return Rect{0, RowTop(0), Width(), ItemCount() * RowHeight()};
}

void PopUpButton::DrawMenu(Canvas& canvas) const
{
    using namespace ControlLook;
    for (int i = 0; i < ItemCount(); ++i) {
        const Rect row{0, RowTop(i), Width(), RowHeight()};
        canvas.SetFillColor(i == fHighlighted ? kAccent : kWhite);
        canvas.FillRect(row);
        if (fItems[i].separator) {
            canvas.SetStrokeColor(kEdge);
            canvas.StrokeLine(Point{2, row.y + row.height / 2}, Point{Width() - 2, row.y + row.height / 2});
        } else {
            DrawLabel(canvas, GetFont(), fItems[i].title, Rect{8, row.y, Width() - 10, row.height});
        }
    }
}

} // namespace plat
