#pragma once
#include "foundation/text/LCharSource.h"

#include <string>

class CXmlLexer;

// A character source over the text content of the element being read: text tokens are served
// in order, attributes and nested elements are passed over, and the element's end (or the
// end of the input) ends the content. The element's end token is consumed.
class CXmlTextReader : public LCharSource {
public:
    explicit CXmlTextReader(CXmlLexer* lexer) : fLexer(lexer) {}

    bool ReadByte(char& out) override;
    void Unread() override;
    uint32_t Read(void* buffer, uint32_t n) override;

    // Reads past whatever content is left, up to the element's end.
    void Drain();
    // Whether the content ended with the element's end (not the end of the input).
    bool EndedWithElement() const { return fEndedWithElement; }

private:
    bool NextPiece();

    CXmlLexer* fLexer;
    std::string fPiece;
    size_t fPos = 0;
    bool fDone = false;
    bool fEndedWithElement = false;
    bool fAtEnd = false;  // the last read found no byte: nothing to step back over
};
