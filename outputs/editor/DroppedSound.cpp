#include "outputs/editor/DroppedSound.h"
#include "controls/drag/CDragScrapAcs.h"
#include "foundation/text/LUrl.h"
#include "foundation/text/UrlSegments.h"
#include "platform/files/RegularFile.h"
#include "platform/soundfile/SoundFile.h"
#include "platform/window/Pasteboard.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LStdFolders.h"

#include <string>

namespace {

// A file URL longer than this is no file of ours.
constexpr uint32_t kMaxUrlBytes = 4096;

} // namespace

bool ReadDroppedSound(const LDrop* drop, DroppedSound& sound)
{
    CDragScrapAcs scrap(drop);
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!scrap.GetData({LStringRef(plat::Pasteboard::kTypeFileUrl), 0}, 0, data, size) || size == 0 ||
        size > kMaxUrlBytes)
        return false;
    const std::string url(reinterpret_cast<const char*>(data), size);
    if (url.find('\0') != std::string::npos)
        return false;
    LStringRef fileSpec;
    if (!FileSpecFromUrl(url, fileSpec, false))
        return false;
    const std::string path(PosixPathFromUrl(fileSpec.View()).View());
    plat::SoundFile file;
    if (!plat::IsRegularFile(path) || !file.Open(path))
        return false;
    const LStringRef documents = LStdFolders::Find(LStdFolders::kDocuments);
    sound.url = MakeRelativeUrl(fileSpec.Text(), documents.Text());
    sound.name = UrlFileName(fileSpec.Text());
    return !sound.name.IsEmpty();
}
