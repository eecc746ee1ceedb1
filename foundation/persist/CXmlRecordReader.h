#pragma once
#include <cstdint>

class CXmlLexer;
class LCharSource;
class LObject;
class LStream;
class LStringRef;

// Fills records from the XML that CXmlRecordWriter writes, skipping whatever it does not know:
// unknown elements, attributes, classes and field tags. Values go through the typed setters
// without undo, so observers hear of every change. Records nested deeper than kMaxRecordDepth
// are skipped.
class CXmlRecordReader {
public:
    // Reads the element whose start tag was just read into the record; false when the input
    // ended before the element did, or a list refused an element.
    [[nodiscard]] static bool ReadRecord(CXmlLexer& lexer, LObject* record, int depth = 0);
    // Assigns a field from the text of a character source (arrays element by element).
    static void SetField(LObject* record, uint8_t field, LCharSource& source);
};

// Cuts an element name at its underscores into up to three codes (the first four characters
// of each part, blank-padded); answers the number of parts, at most 3.
uint32_t SplitElementName(const LStringRef& name, uint32_t codes[3]);

// Reads past the element whose start tag was just read (nested elements included).
void SkipElement(CXmlLexer& lexer);

// Finds the first element of the root record's class, resets the root to its defaults and
// reads the element into it. False when no such element is found. `complete` (when given)
// tells whether the element ended before the input did: a truncated file still reads, but its
// reader may want to warn before the user saves over it.
[[nodiscard]] bool ReadRecordXml(LStream& stream, LObject* root, bool* complete = nullptr);
