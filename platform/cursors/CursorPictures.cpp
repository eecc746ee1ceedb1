#include "platform/cursors/CursorPictures.h"
#include "platform/draw/Canvas.h"

namespace plat {

namespace {

constexpr int kSide = 24;
constexpr Color kBlack{0, 0, 0, 1};
constexpr Color kWhite{1, 1, 1, 1};
constexpr Color kGreen{0.16, 0.62, 0.24, 1};
constexpr Color kBlue{0.20, 0.42, 0.85, 1};
constexpr Color kGrey{0.55, 0.55, 0.55, 1};


void ArrowPath(Canvas& canvas)
{
    constexpr Point kOutline[] = {{1, 1}, {1, 17}, {5, 13}, {8, 20}, {11, 19}, {8, 12}, {13, 12}};
    canvas.BeginPath();
    canvas.MoveTo(kOutline[0]);
    for (const Point& p : kOutline)
        canvas.LineTo(p);
    canvas.ClosePath();
}

// The plain arrow, black with a white edge.
void Arrow(Canvas& canvas)
{
    ArrowPath(canvas);
    canvas.SetFillColor(kBlack);
    canvas.FillPath();
    ArrowPath(canvas);
    canvas.SetStrokeColor(kWhite);
    canvas.SetLineWidth(1);
    canvas.StrokePath();
}

// A round badge at the arrow's lower right.
void Badge(Canvas& canvas, const Color& colour)
{
    canvas.SetFillColor(kWhite);
    canvas.FillEllipse(Rect{12, 12, 12, 12});
    canvas.SetFillColor(colour);
    canvas.FillEllipse(Rect{13, 13, 10, 10});
}

void Hand(Canvas& canvas, bool closed)
{
    const double finger = closed ? 4 : 9;
    canvas.SetFillColor(kBlack);
    canvas.FillRect(Rect{5, 9, 14, 11});
    for (int i = 0; i < 4; ++i)
        canvas.FillRect(Rect{5.0 + i * 3.5, 10 - finger, 3, finger + 1});
    canvas.FillRect(Rect{2, closed ? 11.0 : 8.0, 4, 5});
    canvas.SetFillColor(kWhite);
    canvas.FillRect(Rect{6, 10, 12, 9});
    for (int i = 0; i < 4; ++i)
        canvas.FillRect(Rect{6.0 + i * 3.5, 11 - finger, 1.5, finger});
}

} // namespace

CursorPicture CursorPictureOf(CursorShape shape)
{
    CursorPicture picture{Bitmap(kSide, kSide), Point{1, 1}};
    Canvas canvas(picture.image);
    switch (shape) {
    case CursorShape::OpenHand:
    case CursorShape::ClosedHand:
        Hand(canvas, shape == CursorShape::ClosedHand);
        picture.hotSpot = Point{12, 12};
        break;
    case CursorShape::DragCopy:
        Arrow(canvas);
        Badge(canvas, kGreen);
        canvas.SetFillColor(kWhite);
        canvas.FillRect(Rect{15, 17.25, 6, 1.5});
        canvas.FillRect(Rect{17.25, 15, 1.5, 6});
        break;
    case CursorShape::DragLink:
        Arrow(canvas);
        Badge(canvas, kBlue);
        canvas.SetStrokeColor(kWhite);
        canvas.SetLineWidth(1.5);
        canvas.StrokeLine({15.5, 20.5}, {20.5, 15.5});
        canvas.StrokeLine({17, 15.5}, {20.5, 15.5});
        canvas.StrokeLine({20.5, 15.5}, {20.5, 19});
        break;
    case CursorShape::Disappearing:
        Arrow(canvas);
        Badge(canvas, kGrey);
        canvas.SetStrokeColor(kWhite);
        canvas.SetLineWidth(1.5);
        canvas.StrokeLine({15.5, 15.5}, {20.5, 20.5});
        canvas.StrokeLine({20.5, 15.5}, {15.5, 20.5});
        break;
    case CursorShape::ContextualMenu:
        Arrow(canvas);
        canvas.SetFillColor(kBlack);
        canvas.FillRect(Rect{13, 13, 10, 10});
        canvas.SetFillColor(kWhite);
        canvas.FillRect(Rect{14, 14, 8, 8});
        canvas.SetFillColor(kBlack);
        for (int i = 0; i < 3; ++i)
            canvas.FillRect(Rect{15, 15.0 + i * 2.5, 6, 1});
        break;
    default:
        return CursorPicture{};
    }
    return picture;
}

} // namespace plat
