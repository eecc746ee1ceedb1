#include "platform/prefs/Preferences.h"
#include "platform/files/AtomicReplace.h"
#include "platform/files/DataFork.h"
#include "platform/files/StandardFolders.h"
#include "platform/prefs/AtomicFile.h"
#include "platform/values/PropertyList.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {
namespace {

// A preferences file larger than this is not ours to read.
constexpr off_t kMaxFileSize = 64 * 1024 * 1024;

enum class ReadResult { Missing, Read, Failed };

ReadResult ReadWholeFile(const std::string& path, std::string& bytes)
{
    int fd = -1;
    const FileResult opened = OpenFileDescriptor(path, ForkAccess::Read, fd);
    if (opened != FileResult::Ok)
        return opened == FileResult::NotFound ? ReadResult::Missing : ReadResult::Failed;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxFileSize;
    if (ok) {
        bytes.resize(size_t(info.st_size));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            ok = n > 0;
            done += n > 0 ? size_t(n) : 0;
        }
    }
    ::close(fd);
    return ok ? ReadResult::Read : ReadResult::Failed;
}

} // namespace

std::string Preferences::DomainPath(std::string_view domain)
{
    const std::string base = StandardFolderPath(StandardFolder::Preferences);
    const std::string name(domain.empty() ? kAppDomain : domain);
    return base + "/sonalyx/" + name + ".plist";
}

Preferences& Preferences::Domain(std::string_view domain)
{
    static std::mutex registryMutex;
    static auto* registry = new std::map<std::string, std::unique_ptr<Preferences>, std::less<>>();
    std::lock_guard lock(registryMutex);
    const std::string name(domain.empty() ? kAppDomain : domain);
    auto found = registry->find(name);
    if (found == registry->end())
        found = registry->emplace(name, std::make_unique<Preferences>(DomainPath(name))).first;
    return *found->second;
}

Preferences::Preferences(std::string path) : fPath(std::move(path)), fValues(Dict::Make()) {}

void Preferences::LoadLocked()
{
    // The first read of a run clears what writes cut short in earlier runs left beside the
    // file; a write in progress holds its file's lock, so its file stays.
    if (!fLoaded)
        (void)RemoveLeftoverTemps(fPath, AtomicFile::kTempMarker);
    fLoaded = true;
    fDirty = false;
    fValues = Dict::Make();
    std::string bytes;
    const ReadResult result = ReadWholeFile(fPath, bytes);
    if (result == ReadResult::Missing) {
        fState = FileState::Missing;
        return;
    }
    Ref<Value> value = result == ReadResult::Read ? PropertyList::Read(bytes) : Ref<Value>();
    if (value && value->Kind() == ValueKind::Dict) {
        fValues = Ref<Dict>(value->As<Dict>());
        fState = FileState::Loaded;
    } else {
        fState = FileState::Unreadable;
    }
}

Ref<Value> Preferences::CopyValue(std::string_view key)
{
    std::lock_guard lock(fMutex);
    if (!fLoaded)
        LoadLocked();
    return Ref<Value>(fValues->Get(key));
}

void Preferences::SetValue(std::string_view key, Ref<Value> value)
{
    std::lock_guard lock(fMutex);
    if (!fLoaded)
        LoadLocked();
    fValues->Set(key, std::move(value));
    fDirty = true;
}

bool Preferences::Synchronize()
{
    std::lock_guard lock(fMutex);
    if (!fDirty) {
        LoadLocked();
        return true;
    }
    return WriteLocked();
}

bool Preferences::WriteLocked()
{
    const size_t slash = fPath.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(fPath.substr(0, slash)))
        return false;
    if (fState == FileState::Unreadable) {
        // Keep the file we could not read; refuse to write rather than lose it.
        const std::string backup = fPath + ".bak";
        if (::rename(fPath.c_str(), backup.c_str()) != 0 && errno != ENOENT)
            return false;
    }
    if (!AtomicFile::Write(fPath, PropertyList::Write(*fValues)))
        return false;
    fState = FileState::Loaded;
    fDirty = false;
    return true;
}

Preferences::FileState Preferences::State()
{
    std::lock_guard lock(fMutex);
    if (!fLoaded)
        LoadLocked();
    return fState;
}

} // namespace plat
