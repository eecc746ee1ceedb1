#include "platform/app/OpenRequest.h"


namespace plat::OpenRequest {

namespace {

constexpr char kMagic[4] = {'S', 'X', 'O', '1'};

// An absolute path of bounded length without NUL bytes.
bool IsAcceptablePath(const std::string& path)
{
    return !path.empty() && path.size() <= kMaxPathBytes && path[0] == '/' &&
           path.find('\0') == std::string::npos;
}

void AppendWord(std::string& out, uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(char((word >> (8 * i)) & 0xff));
}

} // namespace

bool Encode(const std::vector<std::string>& paths, std::string& out)
{
    out.clear();
    if (paths.size() > kMaxPaths)
        return false;
    out.append(kMagic, sizeof kMagic);
    AppendWord(out, uint32_t(paths.size()));
    for (const std::string& path : paths) {
        if (!IsAcceptablePath(path))
            return false;
        AppendWord(out, uint32_t(path.size()));
        out += path;
    }
    return true;
}

Reader::Status Reader::Feed(const void* data, size_t length)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < length && fStatus != Status::Damaged; ++i)
        fStatus = fStatus == Status::Complete ? Status::Damaged : Step(bytes[i]);
    return fStatus;
}

Reader::Status Reader::Step(uint8_t byte)
{
    if (fPart == Part::Path) {
        fPath.push_back(char(byte));
        if (fPath.size() < fPathLength)
            return Status::NeedMore;
        if (!IsAcceptablePath(fPath))
            return Status::Damaged;
        fPaths.push_back(std::move(fPath));
        fPath.clear();
        fPart = Part::Length;
        return fPaths.size() == fCount ? Status::Complete : Status::NeedMore;
    }
    if (fPart == Part::Magic) {
        if (char(byte) != kMagic[fWordBytes])
            return Status::Damaged;
        if (++fWordBytes == sizeof kMagic) {
            fWordBytes = 0;
            fPart = Part::Count;
        }
        return Status::NeedMore;
    }
    fWord |= uint32_t(byte) << (8 * fWordBytes);
    if (++fWordBytes < 4)
        return Status::NeedMore;
    const uint32_t word = fWord;
    fWord = 0;
    fWordBytes = 0;
    return AfterWord(word);
}

Reader::Status Reader::AfterWord(uint32_t word)
{
    if (fPart == Part::Count) {
        if (word > kMaxPaths)
            return Status::Damaged;
        fCount = word;
        fPart = Part::Length;
        return fCount == 0 ? Status::Complete : Status::NeedMore;
    }
    if (word == 0 || word > kMaxPathBytes)
        return Status::Damaged;
    fPathLength = word;
    fPath.reserve(word);
    fPart = Part::Path;
    return Status::NeedMore;
}

} // namespace plat::OpenRequest
