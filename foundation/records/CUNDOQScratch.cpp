// The undo queue of a document window keeps its history in a scratch file of its own.
#include "foundation/records/CUNDOQ.h"

#include "foundation/files/CScratchFile.h"
#include "foundation/streams/CBufferedForkStream.h"

namespace {

std::unique_ptr<LStream> OpenScratchStream(const CScratchFile& file)
{
    if (file.failed || !file.created)
        return nullptr;  // undo stays disabled
    auto stream = std::make_unique<CBufferedForkStream>(file.location.View(), LStream::kReadWrite);
    if (stream->Error() != 0)
        return nullptr;
    return stream;
}

} // namespace

CUNDOQ::CUNDOQ(uint64_t capacity)
    : fCaptions(LoadCaptions()),
      fFile(std::make_unique<CScratchFile>("undo", nullptr)),
      fStream(OpenScratchStream(*fFile)),
      fRing(fStream.get(), capacity)
{
}
