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
    // Saves that were cut short left their temporary files; none of them is locked any more.
    (void)plat::RemoveLeftoverTemps(target, plat::kTempMarker);
    std::string temp;
    int lock = -1;
    if (plat::CreateTempBeside(target, temp, lock) != plat::FileResult::Ok)
        return false;
    bool written = false;
    {
        CBufferedForkStream stream(temp, LStream::kReadWrite);
        written = stream.Error() == LStream::kNoError && WriteDocumentStream(stream, root);
    }
    bool saved = false;
    if (written) {
        (void)plat::WriteTypeCode(temp, kDocumentType);
        (void)plat::WriteCreatorCode(temp, kCreatorCode);
        saved = plat::CommitReplacement(temp, target) == plat::FileResult::Ok;
    } else {
        (void)plat::RemoveFileItem(temp);
    }
    plat::ReleaseTempLock(lock);
    return saved;
}
