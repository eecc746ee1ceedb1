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

bool WriteFileReplacing(const std::string& path, uint32_t type, uint32_t creator,
                        const std::function<bool(LStream&)>& write)
{
    if (path.empty())
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
        written = stream.Error() == LStream::kNoError && write(stream);
        // Setting the end flushes what the stream still buffers, so its errors count too.
        stream.SetEOF();
        written = written && stream.Error() == LStream::kNoError;
    }
    bool saved = false;
    if (written) {
        (void)plat::WriteTypeCode(temp, type);
        (void)plat::WriteCreatorCode(temp, creator);
        saved = plat::CommitReplacement(temp, target) == plat::FileResult::Ok;
    } else {
        (void)plat::RemoveFileItem(temp);
    }
    plat::ReleaseTempLock(lock);
    return saved;
}

bool WriteDocumentFile(const std::string& path, const LObject* root)
{
    if (!root)
        return false;
    return WriteFileReplacing(path, kDocumentType, kCreatorCode,
                              [root](LStream& stream) { return WriteDocumentStream(stream, root); });
}
