#include "foundation/persist/CXmlElementFrame.h"
#include "foundation/persist/CXmlWriter.h"

void CXmlElementFrame::Start()
{
    if (fStarted)
        return;
    fStarted = true;
    fParent->OpenContent();
    fWriter->WriteOpen();
    fWriter->WriteName(fName.View());
}

void CXmlElementFrame::OpenContent(LineFeed lineFeed)
{
    Start();
    if (fOpen)
        return;
    fWriter->WriteClose();
    if (lineFeed == LineFeed::Yes)
        fWriter->WriteLF();
    fOpen = true;
}

void CXmlElementFrame::End()
{
    if (!fParent || !fStarted)
        return;
    if (fOpen) {
        fWriter->WriteOpenEnd();
        fWriter->WriteName(fName.View());
        fWriter->WriteClose();
    } else {
        fWriter->WriteCloseEmpty();
    }
    fWriter->WriteLF();
}
