#pragma once
#include "platform/values/Dict.h"

#include <mutex>
#include <string>
#include <string_view>

namespace plat {

// One preferences domain: a dictionary of values kept in one property-list file. Values are
// read from the file on first use, changed in memory, and written back by Synchronize with
// an atomic replace. An existing file that cannot be read as a dictionary is never silently
// overwritten: the next write first moves it aside to the same name with ".bak" added.
// All operations may be called from any thread.
class Preferences {
public:
    enum class FileState { Missing, Loaded, Unreadable };

    // The name of the running application's domain.
    static constexpr std::string_view kAppDomain = "sonalyx";

    // The file of a domain: "$XDG_CONFIG_HOME/sonalyx/<domain>.plist" (empty: the application's).
    static std::string DomainPath(std::string_view domain);
    // The process-wide object of a domain (empty: the application's), made on first use.
    static Preferences& Domain(std::string_view domain);

    explicit Preferences(std::string path);
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    // The value under the key (shared, not copied), or null.
    Ref<Value> CopyValue(std::string_view key);
    // Stores the value under the key in memory; null removes the key.
    void SetValue(std::string_view key, Ref<Value> value);
    // Writes the changes made since the last write; with none, reads the file again so that
    // changes made by another process are seen. False when the write failed.
    [[nodiscard]] bool Synchronize();

    FileState State();
    const std::string& Path() const { return fPath; }

private:
    void LoadLocked();
    bool WriteLocked();

    std::mutex fMutex;
    std::string fPath;
    Ref<Dict> fValues;
    FileState fState = FileState::Missing;
    bool fLoaded = false;
    bool fDirty = false;
};

} // namespace plat
