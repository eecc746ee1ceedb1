#include "foundation/persist/CXmlWriter.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/text/NumberParse.h"
#include "foundation/persist/CXmlStreamSink.h"

void CXmlWriter::WriteDeclaration()
{
    WriteOpen();
    WriteName("?xml");
    WriteAttribute("version", "1.0");
    WriteAttribute("encoding", "UTF-8");
    WriteRaw("?>");
    WriteLF();
}

void CXmlWriter::WriteOpen()
{
    WriteRaw("<");
}

void CXmlWriter::WriteOpenEnd()
{
    WriteRaw("</");
}

void CXmlWriter::WriteClose()
{
    WriteRaw(">");
}

void CXmlWriter::WriteCloseEmpty()
{
    WriteRaw("/>");
}

void CXmlWriter::WriteName(std::string_view name)
{
    if (fBlankPending)
        fSink->WriteByte(' ');
    fSink->WriteBytes(name.data(), uint32_t(name.size()));
    fBlankPending = true;
}

void CXmlWriter::WriteEquals()
{
    WriteRaw("=\"");
}

void CXmlWriter::WriteEndQuote()
{
    fSink->WriteByte('"');
    fBlankPending = true;
}

void CXmlWriter::WriteEscaped(std::string_view text)
{
    size_t run = 0;  // start of the bytes not yet written
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const char* entity = c == '"' ? "&quot;" : c == '<' ? "&lt;" : c == '&' ? "&amp;" : nullptr;
        if (!entity && c >= 32)
            continue;
        fSink->WriteBytes(text.data() + run, uint32_t(i - run));
        if (entity)
            fSink->WriteText(entity);
        else
            WriteCharRef(c);
        run = i + 1;
    }
    fSink->WriteBytes(text.data() + run, uint32_t(text.size() - run));
}

void CXmlWriter::WriteAttribute(std::string_view name, std::string_view value)
{
    WriteName(name);
    WriteEquals();
    WriteEscaped(value);
    WriteEndQuote();
}

void CXmlWriter::WriteCharRef(uint32_t code)
{
    LStrStream text;
    text << "&#";
    WriteLong(code, text);
    text << ';';
    fSink->WriteBytes(text.CStr(), text.Length());
}

void CXmlWriter::WriteRaw(std::string_view text)
{
    fSink->WriteBytes(text.data(), uint32_t(text.size()));
    fBlankPending = false;
}

void CXmlWriter::WriteLF()
{
    fSink->WriteLF();
    fBlankPending = false;
}

void WriteXmlQuoted(std::string_view text, LStrStream& out, bool alwaysQuote)
{
    bool quote = alwaysQuote || (!text.empty() && text.front() == '\'');
    for (char c : text)
        quote = quote || c == '"' || IsSpaceChar(static_cast<unsigned char>(c));
    if (!quote) {
        out.Write(text);
        return;
    }
    out.PutChar('"');
    for (char c : text) {
        out.PutChar(c);
        if (c == '"')
            out.PutChar('"');
    }
    out.PutChar('"');
}
