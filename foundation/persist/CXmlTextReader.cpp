#include "foundation/persist/CXmlTextReader.h"
#include "foundation/persist/CXmlLexer.h"
#include "foundation/persist/CXmlRecordReader.h"

bool CXmlTextReader::NextPiece()
{
    while (!fDone) {
        switch (fLexer->NextToken()) {
        case CXmlLexer::kText:
            fPiece = fLexer->Text();
            fPos = 0;
            if (!fPiece.empty())
                return true;
            break;
        case CXmlLexer::kAttribute:
            (void)fLexer->ReadAttributeValue();
            break;
        case CXmlLexer::kStartTag:
            SkipElement(*fLexer);
            break;
        case CXmlLexer::kEndElement:
            fEndedWithElement = true;
            fDone = true;
            break;
        case CXmlLexer::kEnd:
            fDone = true;
            break;
        }
    }
    return false;
}

bool CXmlTextReader::ReadByte(char& out)
{
    fAtEnd = fPos >= fPiece.size() && !NextPiece();
    if (fAtEnd)
        return false;
    out = fPiece[fPos++];
    return true;
}

void CXmlTextReader::Unread()
{
    if (!fAtEnd && fPos > 0)
        fPos--;
}

uint32_t CXmlTextReader::Read(void* buffer, uint32_t n)
{
    char* out = static_cast<char*>(buffer);
    uint32_t count = 0;
    while (count < n && ReadByte(out[count]))
        count++;
    return count;
}

void CXmlTextReader::Drain()
{
    fPos = fPiece.size();
    while (NextPiece())
        fPos = fPiece.size();
}
