#include "platform/files/FileSpecText.h"

#include <mutex>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr std::string_view kSpecPrefix = "file:///";

std::mutex gVolumeMutex;
std::string gRootName;
std::vector<std::string> gMountBases;
bool gMountBasesSet = false;

bool IsUnreserved(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return c == '!' || c == '$' || (c >= 0x27 && c <= 0x2E) || c == '_';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string UserName()
{
    if (const char* user = getenv("USER"); user && *user)
        return user;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name)
        return pw->pw_name;
    return {};
}

std::vector<std::string> DefaultMountBases()
{
    std::vector<std::string> bases;
    const std::string user = UserName();
    if (!user.empty() && user.find('/') == std::string::npos) {
        bases.push_back("/media/" + user);
        bases.push_back("/run/media/" + user);
    }
    bases.push_back("/media");
    bases.push_back("/mnt");
    return bases;
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Splits at runs of '/' into the non-empty pieces.
std::vector<std::string_view> SplitSlashes(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == '/')
            ++i;
        const size_t start = i;
        while (i < text.size() && text[i] != '/')
            ++i;
        if (i > start)
            parts.push_back(text.substr(start, i - start));
    }
    return parts;
}

// "file:" texts that are not file locations ("file://host/x", "file:x") are not paths either.
bool LooksLikeUrl(std::string_view text)
{
    return text.substr(0, 5) == "file:";
}

bool NamesAFile(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos
        && name.find('\0') == std::string_view::npos;
}

std::string BuildSpec(std::string_view volume, const std::vector<std::string_view>& segments, size_t first)
{
    std::string out(kSpecPrefix);
    EscapeSegmentTo(out, volume);
    for (size_t i = first; i < segments.size(); ++i) {
        out += '/';
        EscapeSegmentTo(out, segments[i]);
    }
    return out;
}

} // namespace

void EscapeSegmentTo(std::string& out, std::string_view segment)
{
    if (segment == ".") {
        out += "%2E";
        return;
    }
    if (segment == "..") {
        out += "%2E%2E";
        return;
    }
    static const char kHex[] = "0123456789ABCDEF";
    for (const char ch : segment) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
}

std::string EscapeSegment(std::string_view segment)
{
    std::string out;
    out.reserve(segment.size());
    EscapeSegmentTo(out, segment);
    return out;
}

std::string UnescapeSegment(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = HexValue(text[i + 1]);
            const int lo = HexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

void SetRootVolumeName(std::string_view name)
{
    std::lock_guard lock(gVolumeMutex);
    gRootName = std::string(name);
}

std::string RootVolumeName()
{
    std::lock_guard lock(gVolumeMutex);
    return gRootName.empty() ? std::string("Root") : gRootName;
}

void SetMountBases(std::vector<std::string> bases)
{
    std::lock_guard lock(gVolumeMutex);
    gMountBasesSet = !bases.empty();
    gMountBases = std::move(bases);
}

std::vector<std::string> MountBases()
{
    {
        std::lock_guard lock(gVolumeMutex);
        if (gMountBasesSet)
            return gMountBases;
    }
    return DefaultMountBases();
}

std::string VolumeMountPath(std::string_view volume)
{
    if (!NamesAFile(volume))
        return {};
    if (volume == RootVolumeName())
        return "/";
    const std::vector<std::string> bases = MountBases();
    for (const std::string& base : bases) {
        const std::string candidate = NormalizePosixPath(base + "/" + std::string(volume));
        bool isBase = false;
        for (const std::string& other : bases)
            isBase = isBase || NormalizePosixPath(other) == candidate;
        if (!isBase && IsDirectory(candidate))
            return candidate;
    }
    return {};
}

bool IsFileSpec(std::string_view text)
{
    return text.substr(0, kSpecPrefix.size()) == kSpecPrefix;
}

std::string CurrentDirectory()
{
    std::string buffer(4096, '\0');
    if (!getcwd(buffer.data(), buffer.size()))
        return "/";
    buffer.resize(buffer.find('\0'));
    return buffer.empty() ? std::string("/") : buffer;
}

std::string NormalizePosixPath(std::string_view path)
{
    if (path.empty())
        return {};
    std::string absolute = path.front() == '/' ? std::string(path) : CurrentDirectory() + "/" + std::string(path);
    std::vector<std::string_view> kept;
    for (const std::string_view part : SplitSlashes(absolute)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!kept.empty())
                kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    std::string out;
    for (const std::string_view part : kept) {
        out += '/';
        out += part;
    }
    return out.empty() ? std::string("/") : out;
}

std::string SpecFromPosixPath(std::string_view path)
{
    const std::string normal = NormalizePosixPath(path);
    if (normal.empty())
        return {};
    const std::vector<std::string_view> segments = SplitSlashes(normal);
    const std::string rootName = RootVolumeName();
    for (const std::string& base : MountBases()) {
        const std::string baseNormal = NormalizePosixPath(base);
        const std::vector<std::string_view> baseSegments = SplitSlashes(baseNormal);
        if (segments.size() <= baseSegments.size())
            continue;
        bool under = true;
        for (size_t i = 0; i < baseSegments.size() && under; ++i)
            under = segments[i] == baseSegments[i];
        if (!under)
            continue;
        const std::string_view label = segments[baseSegments.size()];
        if (label == rootName)
            continue;
        const std::string mount = VolumeMountPath(label);
        if (!mount.empty() && mount == NormalizePosixPath(baseNormal + "/" + std::string(label)))
            return BuildSpec(label, segments, baseSegments.size() + 1);
    }
    return BuildSpec(rootName, segments, 0);
}

bool SplitFileSpec(std::string_view fileSpec, std::string& volume, std::vector<std::string>& segments)
{
    volume.clear();
    segments.clear();
    if (!IsFileSpec(fileSpec))
        return false;
    const std::vector<std::string_view> parts = SplitSlashes(fileSpec.substr(kSpecPrefix.size()));
    if (parts.empty())
        return false;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string decoded = UnescapeSegment(parts[i]);
        if (!NamesAFile(decoded))
            return false;
        if (i == 0)
            volume = std::move(decoded);
        else
            segments.push_back(std::move(decoded));
    }
    return true;
}

std::string PosixPathFromSpec(std::string_view fileSpec)
{
    if (!IsFileSpec(fileSpec))
        return LooksLikeUrl(fileSpec) ? std::string() : NormalizePosixPath(fileSpec);
    std::string volume;
    std::vector<std::string> segments;
    if (!SplitFileSpec(fileSpec, volume, segments))
        return {};
    std::string path = VolumeMountPath(volume);
    if (path.empty())
        return {};
    if (path == "/")
        path.clear();
    for (const std::string& segment : segments) {
        path += '/';
        path += segment;
    }
    return path.empty() ? std::string("/") : path;
}

std::string ToFileSpec(std::string_view specOrPath)
{
    if (!IsFileSpec(specOrPath))
        return LooksLikeUrl(specOrPath) ? std::string() : SpecFromPosixPath(specOrPath);
    const std::string path = PosixPathFromSpec(specOrPath);
    if (!path.empty())
        return SpecFromPosixPath(path);
    std::string volume;
    std::vector<std::string> segments;
    if (!SplitFileSpec(specOrPath, volume, segments))
        return {};
    std::vector<std::string_view> views(segments.begin(), segments.end());
    return BuildSpec(volume, views, 0);
}

std::string FileUrlOfPath(std::string_view path)
{
    std::string url = "file://";
    size_t start = 0;
    while (start < path.size()) {
        const size_t slash = path.find('/', start);
        const size_t end = slash == std::string_view::npos ? path.size() : slash;
        if (end > start)
            EscapeSegmentTo(url += '/', path.substr(start, end - start));
        start = end + 1;
    }
    if (!path.empty() && path.back() == '/')
        url += '/';
    return url;
}

} // namespace plat
