#pragma once
#include "foundation/records/LObjRoot.h"

#include <string_view>

class LStringRef;

// The application's preference tree: a 'PREF' root holding the common view settings, the
// colours, the menu shortcuts and one 'WIND' record per known document. The application owns
// one; it is published process-wide while it lives.
class CAppPrefs : public LObjRoot {
public:
    // A preference tree at its defaults, published as the current one.
    CAppPrefs();
    ~CAppPrefs() override;

    // The published preferences, or null.
    static CAppPrefs* Current();

    // The first window record whose document file names the same file as `path` (a file
    // file location or a POSIX path); null for an empty path or when none does.
    LObject* FindDocument(std::string_view path) const;
    // A new window record with default settings appended to the known documents; null when it
    // cannot be made.
    LObject* AddDocument();
    // Moves a window record to the end of the known documents (most recently used last).
    void TouchDocument(LObject* record);
};

// Hands a text to the document window of a 'WIND' record: the text is stored with a change
// notice (the window forwards it to its live source) and then cleared without one, so that
// sending the same text again is again a change.
void SendDeviceText(LObject* windowRecord, const LStringRef& text);
