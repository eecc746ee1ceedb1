#include "foundation/persist/CXmlLexer.h"
#include "foundation/text/LCharSource.h"
#include "foundation/core/LStrStream.h"
#include "foundation/persist/XmlText.h"

#include <iterator>

namespace {

const char* const kPatterns[] = {"<!--", "-->", "<?", "?>", "<![CDATA[", "]]>"};
// The patterns looked for in each pre-pass mode (indexed by mode / 2).
constexpr uint32_t kActive[] = {(1u << 0) | (1u << 2) | (1u << 4), 1u << 1, 1u << 3, 1u << 5};

// Longest entity body kept; longer ones are refused but still read up to their ';'.
constexpr size_t kMaxEntity = 64;

// Character classes: 0 other, 1 blank/tab/LF, 2 '<', 3 '>', 4 '/', 5 '=', 6 apostrophe,
// 7 quote, 8 '&'.
uint8_t ClassOf(char c)
{
    switch (c) {
    case ' ': case '\t': case '\n': return 1;
    case '<': return 2;
    case '>': return 3;
    case '/': return 4;
    case '=': return 5;
    case '\'': return 6;
    case '"': return 7;
    case '&': return 8;
    default: return 0;
    }
}

struct Step {
    uint8_t next;
    uint8_t action;
};

// [class][state] -> next state / action.
constexpr Step kTable[9][5] = {
    {{0, 17}, {1, 5}, {2, 5}, {4, 11}, {4, 17}},
    {{0, 17}, {2, 8}, {2, 10}, {3, 1}, {4, 17}},
    {{1, 2}, {2, 7}, {2, 9}, {4, 11}, {4, 16}},
    {{0, 17}, {0, 13}, {0, 15}, {0, 14}, {4, 17}},
    {{0, 17}, {1, 3}, {2, 4}, {4, 11}, {4, 17}},
    {{0, 17}, {2, 7}, {3, 10}, {4, 11}, {4, 17}},
    {{0, 17}, {2, 7}, {2, 9}, {4, 12}, {4, 18}},
    {{0, 17}, {2, 7}, {2, 9}, {4, 12}, {4, 18}},
    {{0, 6}, {2, 7}, {2, 9}, {4, 11}, {4, 6}},
};

} // namespace

CXmlLexer::CXmlLexer(LCharSource* source) : fSource(source), fMatcher(kPatterns, uint32_t(std::size(kPatterns))) {}

bool CXmlLexer::Fill()
{
    if (fInputEnded)
        return false;
    char block[kBlockSize];
    const uint32_t n = fSource->Read(block, kBlockSize);
    if (n == 0) {
        EndInput();
        return false;
    }
    for (uint32_t i = 0; i < n && fMode != kEnded; ++i) {
        if (block[i] == '\0') {
            // A NUL ends the input for good; nothing after it is read.
            EndInput();
            return false;
        }
        PrePass(block[i]);
    }
    FlushText();
    return true;
}

void CXmlLexer::EndInput()
{
    if (fMode != kEnded) {
        std::string held;
        fMatcher.Flush(held);
        Deliver(held);
    }
    fMode = kEnded;
    fInputEnded = true;
    FlushText();
    Push(kEvEnd);
}

void CXmlLexer::PrePass(char byte)
{
    fPassed.clear();
    const int found = fMatcher.Feed(byte, kActive[fMode / 2], fPassed);
    Deliver(fPassed);
    switch (found) {
    case 0: fMode = kComment; break;
    case 2: fMode = kInstruction; break;
    case 4: fMode = kCData; break;
    case 1: case 3: case 5: fMode = kNormal; break;
    default: break;
    }
}

void CXmlLexer::Deliver(const std::string& bytes)
{
    if (fMode == kNormal) {
        for (char c : bytes)
            Scan(c);
    } else if (fMode == kCData && fState == 0 && !fInEntity) {
        fPending += bytes;
    }
    // Comments and processing instructions are dropped.
}

void CXmlLexer::Scan(char byte)
{
    if (fInEntity) {
        EntityByte(byte);
        return;
    }
    const Step step = kTable[ClassOf(byte)][fState];
    fState = step.next;
    Act(step.action, byte);
}

void CXmlLexer::EntityByte(char byte)
{
    if (byte != ';') {
        if (fEntity.size() <= kMaxEntity)
            fEntity += byte;
        return;
    }
    fInEntity = false;
    if (fEntity.size() > kMaxEntity || !DecodeXmlEntity(fEntity, fPending))
        fPending += ' ';
    fEntity.clear();
}

void CXmlLexer::Act(uint8_t action, char byte)
{
    switch (action) {
    case 2:  // a tag begins
        fName.clear();
        fEndTag = false;
        break;
    case 3:  // "/" after "<"
        fEndTag = true;
        if (!fName.empty()) {
            fState = 2;
            Push(kEvStart, std::move(fName));
            fName.clear();
        }
        break;
    case 4:
        fEndTag = true;
        break;
    case 5:
        fName += byte;
        break;
    case 6:
        fInEntity = true;
        fEntity.clear();
        break;
    case 7:
    case 8:
        TagNameBreak(byte);
        break;
    case 9:
    case 10:
        fState = fName.empty() ? 2 : 3;
        break;
    case 11:  // an unquoted value: its first byte is dropped
    case 12:
        fDelimiter = action == 11 ? ' ' : byte;
        Push(kEvAttribute, std::move(fName));
        fName.clear();
        break;
    case 13:
        if (fName.empty()) {
            fPending += "<>";
        } else {
            Push(fEndTag ? kEvEndElement : kEvStart, std::move(fName));
            fName.clear();
        }
        break;
    case 14:
    case 15:
        if (fEndTag)
            Push(kEvEndElement);
        fName.clear();
        break;
    case 16:
    case 17:
        fPending += byte;
        break;
    case 18:
        if (byte == fDelimiter) {
            fState = 2;
            Push(kEvValueEnd);
        } else {
            fState = 4;
            fPending += byte;
        }
        break;
    default:
        break;
    }
}

void CXmlLexer::TagNameBreak(char byte)
{
    if (fName.empty()) {
        fState = 0;
        fPending += '<';
        fPending += byte;
    } else if (!fEndTag) {
        Push(kEvStart, std::move(fName));
        fName.clear();
    }
}

void CXmlLexer::FlushText()
{
    if (fPending.empty())
        return;
    fQueue.push_back({kEvText, std::move(fPending)});
    fPending.clear();
}

void CXmlLexer::Push(Event event, std::string text)
{
    FlushText();
    fQueue.push_back({event, std::move(text)});
}

CXmlLexer::Token CXmlLexer::NextToken()
{
    for (;;) {
        while (fQueue.empty())
            Fill();
        Item item = std::move(fQueue.front());
        fQueue.pop_front();
        switch (item.event) {
        case kEvEnd:
            fQueue.push_front({kEvEnd, {}});  // the end stays
            fValuePending = false;
            return kEnd;
        case kEvStart:
            fValuePending = false;
            fElementName = LStringRef(std::string_view(item.text));
            return kStartTag;
        case kEvAttribute:
            fAttributeName = LStringRef(std::string_view(item.text));
            fValuePending = true;
            return kAttribute;
        case kEvText:
            fTokenText = std::move(item.text);
            return kText;
        case kEvEndElement:
            fValuePending = false;
            return kEndElement;
        case kEvValueEnd:
            fValuePending = false;  // nobody asked for it
            break;
        }
    }
}

LStringRef CXmlLexer::ReadAttributeValue()
{
    if (!fValuePending)
        return LStringRef();
    std::string value;
    for (;;) {
        while (fQueue.empty())
            Fill();
        const Event event = fQueue.front().event;
        if (event == kEvText) {
            value += fQueue.front().text;
            fQueue.pop_front();
            continue;
        }
        if (event == kEvValueEnd)
            fQueue.pop_front();
        break;
    }
    fValuePending = false;
    return LStringRef(std::string_view(value));
}

void CXmlLexer::TakeText(LStrStream& out) const
{
    out.Write(fTokenText);
}
