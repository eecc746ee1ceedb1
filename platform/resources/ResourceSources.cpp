#include "platform/resources/ResourceSources.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace plat {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kFirstFreeId = 128;

bool TypeCode(const std::string& folder, uint32_t& type)
{
    if (folder.empty() || folder.size() > 4)
        return false;
    std::string padded = folder;
    padded.resize(4, ' ');
    type = 0;
    for (unsigned char c : padded)
        type = type << 8 | c;
    return true;
}

// Splits "name@id" into its parts; hasId is false when there is no valid "@id" suffix.
void SplitNameAndId(const std::string& stem, std::string& name, int32_t& id, bool& hasId)
{
    name = stem;
    hasId = false;
    const size_t at = stem.rfind('@');
    if (at == std::string::npos)
        return;
    const char* first = stem.data() + at + 1;
    const char* last = stem.data() + stem.size();
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last)
        return;
    name = stem.substr(0, at);
    id = value;
    hasId = true;
}

bool ReadFile(const fs::path& path, std::vector<uint8_t>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

ResourceStatus ReadOne(const fs::path& path, uint32_t type, ResourceEntry& entry, bool& hasId, std::string& error)
{
    entry.type = type;
    SplitNameAndId(path.stem().string(), entry.name, entry.id, hasId);
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes)) {
        error = "cannot read " + path.string();
        return ResourceStatus::NotFound;
    }
    if (path.extension() != ".list") {
        entry.data = std::move(bytes);
        return ResourceStatus::Ok;
    }
    if (!PackStringList(SplitStringListText(std::string(bytes.begin(), bytes.end())), entry.data)) {
        error = "bad string list " + path.string();
        return ResourceStatus::Corrupt;
    }
    return ResourceStatus::Ok;
}

std::vector<fs::path> SortedFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(folder))
        if (item.is_regular_file() && item.path().filename().string()[0] != '.')
            files.push_back(item.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

std::vector<std::string> SplitStringListText(const std::string& text)
{
    if (text.empty())
        return {};
    std::vector<std::vector<std::string>> items(1);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (line == "@@")
            items.emplace_back();
        else
            items.back().push_back(std::move(line));
        pos = end + 1;
    }
    std::vector<std::string> joined;
    for (const auto& lines : items) {
        std::string item;
        for (size_t i = 0; i < lines.size(); ++i)
            item += (i ? "\n" : "") + lines[i];
        joined.push_back(std::move(item));
    }
    return joined;
}

bool PackStringList(const std::vector<std::string>& items, std::vector<uint8_t>& out)
{
    if (items.size() > 0xFFFF)
        return false;
    out.clear();
    out.push_back(uint8_t(items.size() >> 8));
    out.push_back(uint8_t(items.size()));
    for (const std::string& item : items) {
        if (item.find('\0') != std::string::npos)
            return false;
        out.insert(out.end(), item.begin(), item.end());
        out.push_back(0);
    }
    return true;
}

ResourceStatus ReadResourceFolder(const std::string& root, std::vector<ResourceEntry>& out, std::string& error)
{
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        error = "no resource folder " + root;
        return ResourceStatus::NotFound;
    }
    std::vector<fs::path> folders;
    for (const auto& item : fs::directory_iterator(root))
        if (item.is_directory())
            folders.push_back(item.path());
    std::sort(folders.begin(), folders.end());
    for (const fs::path& folder : folders) {
        uint32_t type = 0;
        if (!TypeCode(folder.filename().string(), type)) {
            error = "not a resource type: " + folder.string();
            return ResourceStatus::Corrupt;
        }
        std::vector<ResourceEntry> withoutId;
        std::map<int32_t, bool> used;
        for (const fs::path& file : SortedFiles(folder)) {
            ResourceEntry entry;
            bool hasId = false;
            if (const ResourceStatus s = ReadOne(file, type, entry, hasId, error); s != ResourceStatus::Ok)
                return s;
            if (hasId) {
                used[entry.id] = true;
                out.push_back(std::move(entry));
            } else {
                withoutId.push_back(std::move(entry));
            }
        }
        int32_t next = kFirstFreeId;
        for (ResourceEntry& entry : withoutId) {
            while (used.count(next))
                ++next;
            entry.id = next++;
            out.push_back(std::move(entry));
        }
    }
    return ResourceStatus::Ok;
}

} // namespace plat
