#include "foundation/files/CScratchFile.h"
#include "foundation/text/FileNameText.h"
#include "foundation/async/LTicks.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LFileMaker.h"
#include "shell/files/LFileRemover.h"
#include "shell/files/LStdFolders.h"


CScratchFile::CScratchFile(std::string_view name, const LStringRef* folder)
{
    const LStringRef base = folder ? *folder : LStdFolders::Find(LStdFolders::kScratch);
    LFileUrlResult joined;
    AppendUrlName(joined, base.View(), name);
    LStringRef stamped = joined.url;
    NumberedFileName(stamped, int32_t(LTicks::Now() & 0x7FFFFFFF));
    LFileMaker maker;
    if (base.IsEmpty() || maker.MakeFile(stamped.View(), LFileMaker::kChooseNewName, 0600) != 0) {
        failed = 1;
        location = stamped;
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
