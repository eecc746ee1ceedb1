#include "platform/system/BundleInfo.h"

#include "platform/files/StandardFolders.h"
#include "platform/system/SystemInfo.h"
#include "platform/values/Dict.h"
#include "platform/values/PropertyList.h"
#include "platform/values/Value.h"

#include <fstream>
#include <iterator>

namespace plat {

namespace {

// An information file is a few hundred bytes; anything far larger is not one.
constexpr std::streamsize kMaxInfoFileSize = 1 << 20;

std::string& MainFolderOverride()
{
    static std::string folder;
    return folder;
}

std::optional<std::string> ReadInfoFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text;
    text.resize(static_cast<size_t>(kMaxInfoFileSize) + 1);
    in.read(text.data(), kMaxInfoFileSize + 1);
    const std::streamsize got = in.gcount();
    if (got > kMaxInfoFileSize)
        return std::nullopt;
    text.resize(static_cast<size_t>(got));
    return text;
}

std::string MainFolder()
{
    if (!MainFolderOverride().empty())
        return MainFolderOverride();
    const std::string exe = ExecutablePath();
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

} // namespace

std::optional<std::string> BundleValue(const std::string& bundleFolder, std::string_view key)
{
    if (bundleFolder.empty())
        return std::nullopt;
    const std::optional<std::string> text = ReadInfoFile(bundleFolder + "/Info.plist");
    if (!text)
        return std::nullopt;
    const Ref<Value> root = PropertyList::Read(*text);
    const Dict* dict = root ? root->As<Dict>() : nullptr;
    const String* value = dict ? dict->GetAs<String>(key) : nullptr;
    if (!value)
        return std::nullopt;
    return value->Text();
}

std::optional<std::string> MainBundleValue(std::string_view key)
{
    const std::string folder = MainFolder();
    if (ReadInfoFile(folder + "/Info.plist"))
        return BundleValue(folder, key);
    if (key == "CFBundleName")
        return ProcessName();
    if (key == "CFBundleVersion")
        return BuildVersion();
    return std::nullopt;
}

std::string MainBundleFolder()
{
    return MainFolder();
}

void SetMainBundleFolder(std::string folder)
{
    MainFolderOverride() = std::move(folder);
}

} // namespace plat
