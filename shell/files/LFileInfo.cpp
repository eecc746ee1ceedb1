#include "shell/files/LFileInfo.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/FileSystem.h"

namespace {

plat::ItemInfo ReadInfo(const std::string& path)
{
    plat::ItemInfo info;
    if (!path.empty())
        (void)plat::ReadItemInfo(path, info);
    return info;
}

std::string_view LastName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (path == "/")
        return path;
    return std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
}

// Worst of two commit outcomes: a missing item (3) outranks a failure (2).
uint32_t CommitStatus(plat::FileResult result)
{
    switch (result) {
    case plat::FileResult::Ok:
    case plat::FileResult::Unsupported: return LFileInfo::kValid;   // codes are kept where the file system can
    case plat::FileResult::NotFound: return LFileInfo::kNothing;
    default: return LFileInfo::kFailed;
    }
}

} // namespace

void LFileInfo::Clear()
{
    fEnumerating = false;
    fFolder.clear();
    fEntries.clear();
    fNextEntry = 0;
    fCurrent.clear();
    fPending = Pending{};
}

void LFileInfo::Begin(std::string_view url, bool enumerate)
{
    Clear();
    fStatus = kNothing;
    const std::string path = plat::PosixPathFromSpec(url);
    if (path.empty())
        return;
    if (!enumerate) {
        plat::ItemInfo info;
        if (plat::ReadItemInfo(path, info) == plat::FileResult::Ok) {
            fCurrent = path;
            fStatus = kValid;
        }
        return;
    }
    plat::ItemInfo info;
    if (plat::ReadItemInfo(path, info) != plat::FileResult::Ok || !info.isFolder)
        return;
    if (plat::ListFolder(path, fEntries) != plat::FileResult::Ok)
        return;
    fEnumerating = true;
    fFolder = path == "/" ? std::string() : path;
    Next();
}

void LFileInfo::Next()
{
    fPending = Pending{};
    fCurrent.clear();
    if (!fEnumerating) {
        fStatus = kNothing;
        return;
    }
    if (fNextEntry < fEntries.size()) {
        fCurrent = fFolder + "/" + fEntries[fNextEntry++];
        fStatus = kValid;
    } else {
        fStatus = kNothing;
    }
}

bool LFileInfo::IsDirectory() const { return HasCurrent() && ReadInfo(fCurrent).isFolder; }

bool LFileInfo::IsHidden() const
{
    if (!HasCurrent())
        return false;
    return fPending.hidden ? *fPending.hidden : ReadInfo(fCurrent).hidden;
}

LStringRef LFileInfo::GetName() const
{
    return HasCurrent() ? LStringRef(LastName(fCurrent)) : LStringRef();
}

double LFileInfo::GetCreationTime() const
{
    if (!HasCurrent())
        return 0;
    return fPending.creationTime ? *fPending.creationTime : ReadInfo(fCurrent).creationTime;
}

double LFileInfo::GetModificationTime() const
{
    if (!HasCurrent())
        return 0;
    return fPending.modificationTime ? *fPending.modificationTime : ReadInfo(fCurrent).modificationTime;
}

uint32_t LFileInfo::GetCreatorCode() const
{
    if (!HasCurrent())
        return 0;
    return fPending.creator ? *fPending.creator : plat::ReadCreatorCode(fCurrent);
}

uint32_t LFileInfo::GetTypeCode() const
{
    if (!HasCurrent())
        return 0;
    return fPending.type ? *fPending.type : plat::ReadTypeCode(fCurrent);
}

void LFileInfo::SetCreationTime(double seconds)
{
    if (HasCurrent())
        fPending.creationTime = seconds;
}

void LFileInfo::SetModificationTime(double seconds)
{
    if (HasCurrent())
        fPending.modificationTime = seconds;
}

void LFileInfo::SetVisible(bool visible)
{
    if (HasCurrent())
        fPending.hidden = !visible;
}

void LFileInfo::SetCreatorCode(uint32_t code)
{
    if (HasCurrent())
        fPending.creator = code;
}

void LFileInfo::SetTypeCode(uint32_t code)
{
    if (HasCurrent())
        fPending.type = code;
}

void LFileInfo::CommitAttributes()
{
    if (fStatus != kValid)
        return;
    plat::ItemInfo info;
    if (plat::ReadItemInfo(fCurrent, info) != plat::FileResult::Ok) {
        fStatus = kNothing;
        return;
    }
    // Attribute codes first, then times. The creation time and the hidden flag cannot be
    // set on this system (hiding is part of a name), so they are kept only for reading.
    uint32_t status = kValid;
    auto note = [&status](plat::FileResult result) {
        const uint32_t outcome = CommitStatus(result);
        if (outcome != kValid && status != kNothing)
            status = outcome;
    };
    if (fPending.type)
        note(plat::WriteTypeCode(fCurrent, *fPending.type));
    if (fPending.creator)
        note(plat::WriteCreatorCode(fCurrent, *fPending.creator));
    if (fPending.modificationTime)
        note(plat::SetModificationTime(fCurrent, *fPending.modificationTime));
    fStatus = status;
}
