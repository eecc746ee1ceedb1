#include "outputs/editor/DroppedSound.h"
#include "foundation/text/LUrl.h"
#include "foundation/text/UrlSegments.h"
#include "platform/files/RegularFile.h"
#include "platform/soundfile/SoundFile.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LStdFolders.h"
#include "shell/windows/CDroppedFiles.h"

#include <string>

namespace {

// A file URL longer than this is no file of ours.
constexpr uint32_t kMaxUrlBytes = 4096;

} // namespace

bool ReadDroppedSound(const LDrop* drop, DroppedSound& sound)
{
    // The first file of the drop (desktops name files by URLs of their paths), links resolved.
    LStringRef fileSpec;
    if (!CDroppedFiles(drop).GetFile(0, fileSpec) || fileSpec.View().size() > kMaxUrlBytes)
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
