#include "foundation/files/CScratchFile.h"
#include "foundation/FileNameText.h"
#include "foundation/LTicks.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LFileMaker.h"
#include "shell/files/LFileRemover.h"
#include "shell/files/LStdFolders.h"

#include <string>

CScratchFile::CScratchFile(std::string_view name, const LStringRef* folder)
{
    const LStringRef base = folder ? *folder : LStdFolders::Find(LStdFolders::kScratch);
    LFileUrlResult joined;
    AppendUrlName(joined, base.View(), name);
    std::string stamped(joined.url.View());
    NumberedFileName(stamped, int32_t(LTicks::Now() & 0x7FFFFFFF));
    LFileMaker maker;
    if (base.IsEmpty() || maker.MakeFile(stamped, LFileMaker::kChooseNewName, 0600) != 0) {
        failed = 1;
        location = LStringRef(std::string_view(stamped));
        return;
    }
    location = maker.url;
    created = 1;
}

CScratchFile::~CScratchFile()
{
    if (created) {
        LFileRemover remover;
        remover.RemoveFile(location.View());
    }
}
