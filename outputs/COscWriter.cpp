#include "outputs/COscWriter.h"

#include "foundation/streams/LStream.h"

#include <bit>
#include <cstring>

void COscWriter::BeginElement(LStream& stream)
{
    fStream = &stream;
    fStart = stream.position;
    fSized = false;
}

void COscWriter::EndElement()
{
    if (!fStream || !fSized)
        return;
    const uint64_t end = fStream->position;
    if (end <= fStart + 4)
        return;
    const auto size = static_cast<uint32_t>(end - fStart - 4);
    const uint8_t bytes[4] = {uint8_t(size >> 24), uint8_t(size >> 16), uint8_t(size >> 8), uint8_t(size)};
    fStream->SetPosition(fStart);
    fStream->Write(bytes, 4);
    fStream->SetPosition(end);
}

void COscWriter::WriteByte(uint8_t byte)
{
    if (fStream)
        fStream->Write(&byte, 1);
}

void COscWriter::WriteString(std::string_view text)
{
    if (!fStream)
        return;
    fStream->Write(text.data(), text.size());
    static const uint8_t zeros[4] = {};
    fStream->Write(zeros, 4 - text.size() % 4);
}

void COscWriter::WriteTypeTagStart()
{
    WriteByte(',');
}

void COscWriter::WriteTypeTag(char tag)
{
    WriteByte(static_cast<uint8_t>(tag));
}

void COscWriter::PadToWord()
{
    if (!fStream)
        return;
    do
        WriteByte(0);
    while ((fStream->position - fStart) % 4 != 0 && fStream->Error() == 0);
}

void COscWriter::WriteFloat(float value)
{
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    const uint8_t bytes[4] = {uint8_t(bits >> 24), uint8_t(bits >> 16), uint8_t(bits >> 8), uint8_t(bits)};
    if (fStream)
        fStream->Write(bytes, 4);
}

void WriteOscFloatMessage(LStream& stream, std::string_view address, float value)
{
    COscWriter writer;
    writer.BeginElement(stream);
    writer.WriteString(address);
    writer.WriteTypeTagStart();
    writer.WriteTypeTag('f');
    writer.PadToWord();
    writer.WriteFloat(value);
    writer.EndElement();
}
