#pragma once
#include "foundation/core/LStringRef.h"
#include "foundation/persist/CTokenMatcher.h"

#include <cstdint>
#include <deque>
#include <string>

class LCharSource;
class LStrStream;

// A small, forgiving XML tokenizer. A pre-pass drops comments and processing instructions
// (the declaration included) and passes CDATA content on as text; a table-driven scanner turns
// the rest into start tags, attributes, text and element ends. Input is read in blocks of
// kBlockSize bytes; where the blocks split the text never changes the tokens' contents (text
// may arrive in several pieces). A NUL byte ends the input. End tags are not compared with
// their start tags.
class CXmlLexer {
public:
    static constexpr uint32_t kBlockSize = 1024;

    enum Token : uint32_t {
        kEnd = 0,        // end of input
        kStartTag = 1,   // ElementName() holds the name
        kAttribute = 3,  // AttributeName() holds the name; its value is pending
        kEndElement = 4, // an end tag or the "/>" of an empty element
        kText = 5,       // character data, a decoded entity or CDATA content
    };

    explicit CXmlLexer(LCharSource* source);
    CXmlLexer(const CXmlLexer&) = delete;
    CXmlLexer& operator=(const CXmlLexer&) = delete;

    Token NextToken();
    // The text of the pending attribute value (empty when none is pending).
    LStringRef ReadAttributeValue();
    // Appends the current text token.
    void TakeText(LStrStream& out) const;
    const std::string& Text() const { return fTokenText; }
    const LStringRef& ElementName() const { return fElementName; }
    const LStringRef& AttributeName() const { return fAttributeName; }

private:
    enum Event : uint8_t { kEvEnd, kEvStart, kEvAttribute, kEvText, kEvValueEnd, kEvEndElement };
    struct Item {
        Event event;
        std::string text;
    };
    enum Mode : uint8_t { kNormal = 0, kComment = 2, kInstruction = 4, kCData = 6, kEnded = 8 };

    // Reads and scans one block; false once the input has ended.
    bool Fill();
    void EndInput();
    void PrePass(char byte);
    void Deliver(const std::string& bytes);
    void Scan(char byte);
    void Act(uint8_t action, char byte);
    void TagNameBreak(char byte);
    void EntityByte(char byte);
    void FlushText();
    void Push(Event event, std::string text = std::string());

    LCharSource* fSource;
    Mode fMode = kNormal;
    CTokenMatcher fMatcher;
    // Scanner state.
    uint8_t fState = 0;
    bool fInEntity = false;
    char fDelimiter = 0;
    bool fEndTag = false;
    std::string fName;     // element or attribute name being collected
    std::string fEntity;   // entity body being collected (bounded)
    std::string fPending;  // text not yet delivered
    std::string fPassed;   // bytes the pre-pass hands on for the current input byte
    std::deque<Item> fQueue;
    bool fInputEnded = false;
    // The current token.
    std::string fTokenText;
    LStringRef fElementName;
    LStringRef fAttributeName;
    bool fValuePending = false;
};
