#pragma once
#include <cstdint>

class LStream;

// Where the XML writer's bytes go: a byte stream. Errors stay in the stream.
class CXmlStreamSink {
public:
    explicit CXmlStreamSink(LStream* stream) : fStream(stream) {}
    virtual ~CXmlStreamSink() = default;
    CXmlStreamSink(const CXmlStreamSink&) = delete;
    CXmlStreamSink& operator=(const CXmlStreamSink&) = delete;

    // The bytes of a C text, without its NUL.
    virtual void WriteText(const char* text);
    virtual void WriteBytes(const void* data, uint32_t count);
    virtual void WriteByte(char byte);
    virtual void WriteLF();

private:
    LStream* fStream;
};
