#include "foundation/persist/CXmlStreamSink.h"
#include "foundation/streams/LStream.h"

#include <cstring>

void CXmlStreamSink::WriteText(const char* text)
{
    if (text)
        WriteBytes(text, uint32_t(std::strlen(text)));
}

void CXmlStreamSink::WriteBytes(const void* data, uint32_t count)
{
    if (count)
        fStream->Write(data, count);
}

void CXmlStreamSink::WriteByte(char byte)
{
    fStream->Write(&byte, 1);
}

void CXmlStreamSink::WriteLF()
{
    WriteByte('\n');
}
