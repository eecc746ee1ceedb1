#pragma once
#include "foundation/core/LStringRef.h"

class CXmlWriter;

// One element being written, lazily: its start tag is written only when something is written
// inside it, and starting it first starts and opens every pending element above it. So an
// element with nothing to say leaves no trace. The document frame has no parent and counts
// as started and open.
class CXmlElementFrame {
public:
    // The document frame.
    explicit CXmlElementFrame(CXmlWriter* writer) : fWriter(writer), fStarted(true), fOpen(true) {}
    CXmlElementFrame(CXmlElementFrame* parent, const LStringRef& name)
        : fWriter(parent->fWriter), fParent(parent), fName(name)
    {
    }
    CXmlElementFrame(const CXmlElementFrame&) = delete;
    CXmlElementFrame& operator=(const CXmlElementFrame&) = delete;

    // Writes "<" and the name (once), after opening the parent.
    void Start();
    // Starts the element and closes its start tag with ">" (and LF unless told otherwise).
    enum class LineFeed { Yes, No };
    void OpenContent(LineFeed lineFeed = LineFeed::Yes);
    // "</name>" when open, "/>" when only started, then LF; nothing when never started.
    void End();

    CXmlWriter& Writer() const { return *fWriter; }
    const LStringRef& Name() const { return fName; }

private:
    CXmlWriter* fWriter;
    CXmlElementFrame* fParent = nullptr;
    LStringRef fName;
    bool fStarted = false;
    bool fOpen = false;
};
