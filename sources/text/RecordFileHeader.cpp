#include "sources/text/RecordFileHeader.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/streams/CBufferedForkStream.h"
#include "foundation/streams/ZeroByte.h"
#include "platform/files/FileSystem.h"

#include <cstring>

namespace {

// The bytes at the start of a file that tell a recording from a binary file.
constexpr uint64_t kRecordHeadBytes = 4096;

} // namespace

void WriteRecordFileHeader(LStrStream& out, std::string_view typeName, float fcRatio, uint32_t rate)
{
    out << "dn " << typeName << '\r';
    out << "fr ";
    WriteDoubleTrim(out, 4, double(fcRatio));
    out << '\r' << "sr ";
    WriteLong(int64_t(rate), out);
    out << '\r';
}

std::string RecordFileProblem(const std::string& path)
{
    CBufferedForkStream stream(path, LStream::kReadOnly);
    if (stream.Error() != LStream::kNoError)
        return plat::FileResultText(stream.OpenResult());
    char head[3];
    uint64_t count = sizeof head;
    stream.Read(head, &count);
    if (stream.Error() == LStream::kNoError && count == 0)
        return "the file is empty";
    // A recording holds the device's bytes as they came, and a serial line may bring a stray zero
    // byte: a file that starts with the recorder's own header plays whatever follows it.
    const bool recorded = count == sizeof head && std::memcmp(head, "dn ", sizeof head) == 0;
    stream.SetPosition(0);
    if (!recorded && HoldsZeroByte(stream, kRecordHeadBytes))
        return "it is not a recording this program can play";
    if (stream.Error() != LStream::kNoError)
        return "it cannot be read";
    return {};
}
