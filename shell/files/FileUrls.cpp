#include "shell/files/FileUrls.h"
#include "platform/files/FileSpecText.h"
#include "shell/files/LFileMaker.h"

#include <vector>

LStringRef UrlFromPosixPath(std::string_view path)
{
    return LStringRef(std::string_view(plat::SpecFromPosixPath(path)));
}

LStringRef PosixPathFromUrl(std::string_view fileSpec)
{
    return LStringRef(std::string_view(plat::PosixPathFromSpec(fileSpec)));
}

LStringRef GetBootVolumeName() { return LStringRef(std::string_view(plat::RootVolumeName())); }

bool VolumePathRef(std::string_view name, std::string* posixPath)
{
    std::string path = plat::VolumeMountPath(name);
    if (path.empty())
        return false;
    if (posixPath)
        *posixPath = std::move(path);
    return true;
}

LStringRef CurrentDirSpec() { return UrlFromPosixPath(plat::CurrentDirectory()); }

void AppendUrlName(LFileUrlResult& result, std::string_view fileSpec, std::string_view name)
{
    std::string url(plat::IsFileSpec(fileSpec) ? std::string(fileSpec) : plat::SpecFromPosixPath(fileSpec));
    if (!name.empty()) {
        if (url.empty() || url.back() != '/')
            url += '/';
        plat::EscapeSegmentTo(url, name);
    }
    result.status = 0;
    result.url = LStringRef(std::string_view(url));
}

void GetParentUrl(LFileUrlResult& result, std::string_view fileSpec)
{
    std::string volume;
    std::vector<std::string> segments;
    const std::string canonical = plat::ToFileSpec(fileSpec);
    if (!plat::SplitFileSpec(canonical, volume, segments) || segments.empty()) {
        result.status = 1;
        return;
    }
    const size_t cut = canonical.find_last_of('/');
    result.status = 0;
    result.url = LStringRef(std::string_view(canonical).substr(0, cut));
}

bool FileSpecFromUrl(std::string_view text, LStringRef& fileSpec, bool createFolders)
{
    if (text.empty())
        return false;
    std::string volume;
    std::vector<std::string> segments;
    if (!plat::SplitFileSpec(plat::ToFileSpec(text), volume, segments))
        return false;
    std::string url = "file:///";
    plat::EscapeSegmentTo(url, volume);
    for (const std::string& segment : segments) {
        if (createFolders) {
            LFileMaker maker;
            maker.MakeFolder(url, 0);   // an existing folder is fine; a failure shows later
        }
        url += '/';
        plat::EscapeSegmentTo(url, segment);
    }
    fileSpec = LStringRef(std::string_view(url));
    return true;
}
