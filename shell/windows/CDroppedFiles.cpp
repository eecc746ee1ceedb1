#include "shell/windows/CDroppedFiles.h"
#include "platform/files/FileSpecText.h"
#include "platform/values/Array.h"
#include "platform/values/PropertyList.h"
#include "platform/window/Pasteboard.h"
#include "shell/files/FileUrls.h"
#include "shell/files/LFileSpec.h"
#include "shell/windows/LDrop.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxListBytes = 1 << 20;

const plat::Pasteboard* BoardOf(const LDrop* drop)
{
    return drop ? drop->Pasteboard().Pasteboard() : nullptr;
}

std::string Text(const plat::Pasteboard::Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// The file URLs of the pasteboard's items, in item order.
std::vector<std::string> ItemUrls(const plat::Pasteboard& board)
{
    std::vector<std::string> urls;
    for (size_t i = 0; i < board.ItemCount(); ++i)
        if (auto it = board.ItemAt(i).find(plat::Pasteboard::kTypeFileUrl); it != board.ItemAt(i).end())
            urls.push_back(Text(it->second));
    return urls;
}

bool HasType(const plat::Pasteboard& board, const char* type)
{
    const auto types = board.Types();
    return std::find(types.begin(), types.end(), type) != types.end();
}

// The n-th path of the older list of file names; empty when there is none.
std::string ListedPath(const plat::Pasteboard& board, uint32_t index)
{
    const auto data = board.Data(CDroppedFiles::kTypeFilenames);
    if (!data || data->size() > kMaxListBytes)
        return {};
    plat::Ref<plat::Value> list = plat::PropertyList::Read(Text(*data));
    const plat::Array* paths = list ? list->As<plat::Array>() : nullptr;
    const plat::Value* entry = paths ? paths->At(index) : nullptr;
    const plat::String* path = entry ? entry->As<plat::String>() : nullptr;
    return path ? path->Text() : std::string();
}

} // namespace

bool CDroppedFiles::URLToPath(std::string_view url, LStringRef& out)
{
    constexpr std::string_view kScheme = "file://";
    if (url.size() < kScheme.size())
        return false;
    for (size_t i = 0; i < kScheme.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(url[i])) != kScheme[i])
            return false;
    std::string_view rest = url.substr(kScheme.size());
    const size_t slash = rest.find('/');
    const std::string_view host = rest.substr(0, slash);
    if (slash == std::string_view::npos || !(host.empty() || host == "localhost"))
        return false;
    const std::string path = plat::UnescapeSegment(rest.substr(slash));
    if (path.find('\0') != std::string::npos)
        return false;
    out = UrlFromPosixPath(path);
    return !out.IsEmpty();
}

bool CDroppedFiles::HasFiles() const
{
    const plat::Pasteboard* board = BoardOf(fDrop);
    if (!board)
        return false;
    for (const std::string& url : ItemUrls(*board)) {
        LStringRef ignored;
        if (URLToPath(url, ignored))
            return true;
    }
    return HasType(*board, kTypeFilenames) || HasType(*board, kTypeUrl);
}

bool CDroppedFiles::GetPath(uint32_t index, LStringRef& out) const
{
    const plat::Pasteboard* board = BoardOf(fDrop);
    if (!board)
        return false;
    if (const auto urls = ItemUrls(*board); urls.size() > index)
        return URLToPath(urls[index], out);
    if (index == 0)
        if (const auto url = board->Data(kTypeUrl))
            return URLToPath(Text(*url), out);
    if (HasType(*board, kTypeFilenames)) {
        const std::string path = ListedPath(*board, index);
        if (path.empty())
            return false;
        out = UrlFromPosixPath(path);
        return !out.IsEmpty();
    }
    return false;
}

bool CDroppedFiles::GetFile(uint32_t index, LStringRef& out) const
{
    LStringRef path;
    if (!GetPath(index, path))
        return false;
    LAliasResult resolved;
    LFileSpec::ResolveAlias(resolved, path.View());
    if (resolved.status != 0)
        return false;
    out = resolved.url;
    return true;
}
