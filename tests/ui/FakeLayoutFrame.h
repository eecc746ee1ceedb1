#pragma once
#include "ui/layout/LLayoutPaneList.h"
#include "ui/panes/LPane.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A pane with a fixed preferred size that records where the layout put it.
class FakeLayoutPane : public LPane {
public:
    FakeLayoutPane(int32_t prefWidth, int32_t prefHeight, bool shown = true, LPane* host = nullptr)
        : LPane(host, host), fPrefWidth(prefWidth), fPrefHeight(prefHeight)
    {
        if (!shown)
            SetState(kEventHide);
    }

    void RectChanged(const CLRect& old) override
    {
        LPane::RectChanged(old);
        ++fSetCount;
    }
    int32_t PrefWidth(LPaneContext*, int32_t hint) override
    {
        fLastWidthHint = hint;
        return fWidthFor ? fWidthFor(hint) : fPrefWidth;
    }
    int32_t PrefHeight(LPaneContext*, int32_t hint) override
    {
        fLastHeightHint = hint;
        return fHeightFor ? fHeightFor(hint) : fPrefHeight;
    }

    int fSetCount = 0;
    int32_t fPrefWidth;
    int32_t fPrefHeight;
    int32_t fLastWidthHint = 0;
    int32_t fLastHeightHint = 0;
    std::function<int32_t(int32_t)> fWidthFor;
    std::function<int32_t(int32_t)> fHeightFor;
};

// A frame's children, numbered from 1.
class FakeLayoutFrame : public LLayoutPaneList {
public:
    FakeLayoutPane& Add(int32_t prefWidth, int32_t prefHeight, bool shown = true)
    {
        fPanes.push_back(std::make_unique<FakeLayoutPane>(prefWidth, prefHeight, shown));
        return *fPanes.back();
    }
    LPane* PaneAt(uint32_t number) const override
    {
        return number >= 1 && number <= fPanes.size() ? fPanes[number - 1].get() : nullptr;
    }
    FakeLayoutPane& operator[](size_t number) { return *fPanes.at(number - 1); }

private:
    std::vector<std::unique_ptr<FakeLayoutPane>> fPanes;
};

// A message-box frame: 1 OK, 2 Cancel, 3 a message 300 wide in lines of 16 that wrap to the
// width asked, 4 a 32 by 32 icon. Wide characters are 10 wide.
inline void AddMessageBoxPanes(FakeLayoutFrame& frame, bool cancelShown)
{
    frame.Add(70, 20);
    frame.Add(80, 20, cancelShown);
    FakeLayoutPane& message = frame.Add(300, 16);
    message.fWidthFor = [](int32_t hint) { return hint == -13 ? 10 : 300; };
    message.fHeightFor = [](int32_t hint) { return hint > 0 ? 16 * ((300 + hint - 1) / hint) : 16; };
    frame.Add(32, 32);
}
