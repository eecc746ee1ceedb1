#include "analysis/window/DocumentWriter.h"
#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/streams/CBufferedForkStream.h"
#include "platform/files/AtomicReplace.h"

#include "foundation/records/LFieldDesc.h"

namespace {

constexpr uint32_t kDocumentType = FourCC("FDST");
constexpr uint32_t kCreatorCode = FourCC("YSNX");

} // namespace

bool WriteDocumentStream(LStream& stream, const LObject* root)
{
    if (!root)
        return false;
    WriteRecordXml(stream, root);
    // Setting the end flushes what the stream still buffers, so its errors count too.
    stream.SetEOF();
    return stream.Error() == LStream::kNoError;
}

bool WriteDocumentFile(const std::string& path, const LObject* root)
{
    if (path.empty() || !root)
        return false;
    const std::string target = plat::FinalLinkTarget(path);
    std::string temp;
    if (plat::CreateTempBeside(target, temp) != plat::FileResult::Ok)
        return false;
    bool written = false;
    {
        CBufferedForkStream stream(temp, LStream::kReadWrite);
        written = stream.Error() == LStream::kNoError && WriteDocumentStream(stream, root);
    }
    if (written) {
        (void)plat::WriteTypeCode(temp, kDocumentType);
        (void)plat::WriteCreatorCode(temp, kCreatorCode);
        return plat::CommitReplacement(temp, target) == plat::FileResult::Ok;
    }
    (void)plat::RemoveFileItem(temp);
    return false;
}
