#include "shell/files/CFileLocation.h"
#include "foundation/text/FileNameText.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LStdFolders.h"


CFileLocation::CFileLocation(const LStringRef& defaultName, uint64_t field, Callback callback)
    : fDefaultName(defaultName), fField(field), fCallback(callback)
{
}

void CFileLocation::SetPath(const LStringRef& fileSpec)
{
    fPath = fileSpec;
    if (!fPath.IsEmpty() && fCallback) {
        LStringRef reported = fPath;
        fCallback(fField, kWrite, reported);
    }
}

LStringRef CFileLocation::GetPathOrName() const { return fPath.IsEmpty() ? fDefaultName : fPath; }

LStringRef CFileLocation::GetDefault() const
{
    if (!fCallback)
        return LStringRef();
    LStringRef remembered;
    fCallback(fField, kRead, remembered);
    if (!remembered.IsEmpty())
        return remembered;
    LFileUrlResult result;
    AppendUrlName(result, LStdFolders::Find(LStdFolders::kDocuments).View(), fDefaultName.View());
    LStringRef location = result.url;
    fCallback(fField, kWrite, location);
    return result.url;
}

LStringRef CFileLocation::GetPath() const { return fPath.IsEmpty() ? GetDefault() : fPath; }

LStringRef CFileLocation::GetSavePath() const
{
    if (!fPath.IsEmpty())
        return fPath;
    LStringRef path = GetDefault();
    if (path.IsEmpty())
        return path;
    ReplaceFileName(path, fDefaultName.Text());
    return path;
}
