#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class RunLoop;

// One running program per user. The first launch holds a lock and listens on a local socket;
// a later launch finds the lock taken, hands the paths it was given to the running program
// and ends, so that two processes never write the same preferences. A socket left behind by
// a program that died is replaced: the lock goes with its holder.
class SingleInstance {
public:
    enum class Role {
        Primary,   // this process is the running program and listens
        Secondary, // another process is the running program
        Alone,     // no socket could be made: this process runs on its own
    };
    using OpenHandler = std::function<void(const std::vector<std::string>& paths)>;

    // The folder of the socket: $XDG_RUNTIME_DIR when it names a folder, else a folder
    // "<name>-<uid>" with mode 0700 under $TMPDIR (or /tmp), made when missing. Empty when
    // that folder is not a private folder of this user.
    static std::string SocketFolder(const std::string& name);

    // Takes the role for `name` in SocketFolder(name), or in `folder`.
    explicit SingleInstance(const std::string& name);
    SingleInstance(const std::string& folder, const std::string& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Role GetRole() const { return fRole; }
    const std::string& SocketPath() const { return fSocketPath; }

    // Secondary: sends the paths to the running program and waits up to timeoutMs for its
    // answer; true when it took them.
    [[nodiscard]] bool HandOff(const std::vector<std::string>& paths, int timeoutMs = 10000) const;

    // Primary: serves requests from `loop` (any mode); each complete, valid request calls
    // `onOpen` on the loop's thread, then is answered. Without a handler the paths go to the
    // application's delegate one by one, as files named at launch do. Damaged or oversized
    // requests are dropped unanswered.
    void Listen(RunLoop& loop, OpenHandler onOpen = {});

private:
    struct Listener;

    Role fRole = Role::Alone;
    int fLockFd = -1;
    int fSocketFd = -1;
    std::string fSocketPath;
    std::unique_ptr<Listener> fListener;
};

} // namespace plat
