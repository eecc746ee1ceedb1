#pragma once
#include <cstdint>

// The state word of every pane. A new pane is shown and enabled.
using LPaneFlags = uint32_t;

enum : LPaneFlags {
    kPaneShown = 0x1,            // the pane itself is visible
    kPaneEnabled = 0x2,          // the pane itself is enabled
    kPaneHostShown = 0x4,        // every enclosing frame is shown
    kPaneHostActive = 0x8,       // the window is active and every enclosing frame enabled
    kPaneTransparent = 0x10,     // hit tests pass through the pane
    kPaneInTransparent = 0x20,   // an enclosing frame is mouse-transparent
    kPaneFocused = 0x40,         // the pane holds its frame's keyboard focus
    kPaneKeyWindow = 0x80,       // the pane's window is the key window
    kPaneTakesFocus = 0x100,     // a Tab stop
    kPaneOuterRing = 0x200,      // the focus ring lies outside the rectangle
    kPaneFocusShown = 0x400,     // derived: the pane shows a focus ring now
    kPaneFocusOnClick = 0x800,   // a click gives the pane the focus
    kPaneOpaque = 0x1000,        // the pane paints its whole rectangle
    kPaneTabOnly = 0x2000,       // a Tab stop that a frame's first focus passes over (a button)

    kPaneNewFlags = kPaneShown | kPaneEnabled,
    kPaneEnabledAndShown = kPaneShown | kPaneEnabled,
    kPaneFullyActive = kPaneShown | kPaneEnabled | kPaneHostShown | kPaneHostActive,
    kPaneShowsFocusWhen = kPaneShown | kPaneHostShown | kPaneFocused | kPaneKeyWindow | kPaneTakesFocus,
};

// The numbered state events that frames pass down to their panes. Events in pairs set and
// clear one flag; 8, 9 and 23 change no flag and only reach StateChanged.
enum : int32_t {
    kEventShow = 0,
    kEventHide = 1,
    kEventEnable = 2,
    kEventDisable = 3,
    kEventHostShow = 4,
    kEventHostHide = 5,
    kEventActivate = 6,
    kEventDeactivate = 7,
    kEventMoved = 8,
    kEventBackground = 9,
    kEventFocus = 10,
    kEventUnfocus = 11,
    kEventTransparent = 12,
    kEventNotTransparent = 13,
    kEventInTransparent = 14,
    kEventNotInTransparent = 15,
    kEventKeyWindow = 16,
    kEventNotKeyWindow = 17,
    kEventNoFocus = 18,
    kEventTakeFocus = 19,          // a Tab stop with the ring inside
    kEventTakeFocusOuter = 20,     // a Tab stop with the ring outside
    kEventFocusOnClick = 21,
    kEventNoFocusOnClick = 22,
    kEventPrefsChanged = 23,       // fonts or view preferences changed: relayout
};

// Direction and restart of a focus move along a tab order.
enum class LFocusDir { Forward, Backward };
enum class LFocusRestart { No, Yes };
