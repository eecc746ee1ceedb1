#include "outputs/defs/DefinitionFiles.h"

#include "foundation/streams/CBufferedForkStream.h"
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CDefTree.h"
#include "platform/files/StandardFolders.h"

#include <cstdlib>
#include <string>

namespace {

// Definition files are small; anything larger is refused unread.
constexpr uint64_t kMaxFileSize = 1u << 20;

const char* const kKindNames[] = {"dmx", "dmx2", "snd", "sndvol", "mctrl", "mbend", "mnote", "mtrig", "osc"};

bool ReadWholeFile(const std::string& path, std::string& text)
{
    CBufferedForkStream stream(path, LStream::kReadOnly);
    if (stream.Error() != LStream::kNoError)
        return false;
    const uint64_t size = stream.GetSize();
    if (stream.Error() != LStream::kNoError || size > kMaxFileSize)
        return false;
    stream.SetPosition(0);
    text.resize(size);
    uint64_t count = size;
    stream.Read(text.data(), &count);
    text.resize(count);
    return stream.Error() == LStream::kNoError;
}

} // namespace

std::string SharedSupportPath(std::string_view name)
{
    if (name.empty())
        return {};
    std::string folder;
    if (const char* dir = std::getenv("SONALYX_SUPPORT_DIR"); dir && dir[0] == '/') {
        folder = dir;
    } else {
        const std::string program = plat::ExecutablePath();
        const size_t slash = program.rfind('/');
        if (slash == std::string::npos)
            return {};
        folder = program.substr(0, slash) + "/support";
    }
    return folder + "/" + std::string(name);
}

bool FaderDefPath(std::string_view name, std::string& out)
{
    if (name.empty() || name.find('/') != std::string_view::npos || name == "." || name == "..")
        return false;
    const std::string faders = SharedSupportPath("faders");
    if (faders.empty())
        return false;
    out = faders + "/" + std::string(name);
    return true;
}

int LoadDefinitionFile(std::string_view name, CDefTree& tree)
{
    tree.Clear();
    std::string path;
    std::string text;
    if (!FaderDefPath(name, path) || !ReadWholeFile(path, text))
        return 0;
    return tree.Parse(text) == 0 ? 1 : 0;
}

std::string_view FaderKindName(uint32_t kind)
{
    return kind >= 1 && kind <= 9 ? kKindNames[kind - 1] : std::string_view();
}

int LoadFaderKindDefs(uint32_t kind, CDefTree& tree)
{
    const std::string_view name = FaderKindName(kind);
    if (name.empty()) {
        tree.Clear();
        return 0;
    }
    return LoadDefinitionFile(name, tree);
}

const CDefNode* FindControlsNode(const CDefTree& tree)
{
    const CDefList* top = CDefNode::ChildList(tree.Root(), "sonalyx");
    return top ? CDefNode::FindChild(*top, "controls") : nullptr;
}
