#pragma once
#include <cstdint>
#include <string_view>

class CXmlStreamSink;
class LStrStream;

// The pieces of XML text: tags, names, attribute values with their escapes, line feeds.
// It checks nothing; errors stay in the sink's stream.
class CXmlWriter {
public:
    explicit CXmlWriter(CXmlStreamSink* sink) : fSink(sink) {}

    // The XML declaration of version 1.0 in UTF-8 on a line of its own.
    void WriteDeclaration();
    void WriteOpen();       // "<"
    void WriteOpenEnd();    // "</"
    void WriteClose();      // ">"
    void WriteCloseEmpty(); // "/>"
    // A name, after one blank when a name or value came just before.
    void WriteName(std::string_view name);
    void WriteEquals();     // '="'
    void WriteEndQuote();   // '"'
    // Attribute text: '"' as "&quot;", '<' as "&lt;", '&' as "&amp;", bytes below 32 as
    // character references; every other byte as it is.
    void WriteEscaped(std::string_view text);
    // ' name="escaped value"'.
    void WriteAttribute(std::string_view name, std::string_view value);
    void WriteCharRef(uint32_t code);
    void WriteRaw(std::string_view text);
    void WriteLF();

private:
    CXmlStreamSink* fSink;
    bool fBlankPending = false;
};

// Writes a text so that ReadQuotedToken reads it back: as it is when it holds no white space
// and no quote character and does not start with an apostrophe; otherwise in
// quote characters with every quote character inside doubled. With alwaysQuote, quoted in
// any case.
void WriteXmlQuoted(std::string_view text, LStrStream& out, bool alwaysQuote);
