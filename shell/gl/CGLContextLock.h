#pragma once
#include "platform/threads/RecursiveMutex.h"

#include <vector>

class CGLContext;
namespace plat {
class GLContext;
} // namespace plat

// Makes a context current for a scope under the mutex all contexts share. When the context
// already is current on this thread the scope neither locks nor changes anything, so nested
// scopes on one context cost nothing and scopes for different contexts nest safely; otherwise
// the previous context (or none) is current again when the scope ends, so a context that is
// current when a scope starts must outlive the scope. Directly inside a CGLPassScope a scope
// that switched leaves its context current (and its mutex held by the pass) when it ends.
class CGLContextLock {
public:
    explicit CGLContextLock(CGLContext* context);
    ~CGLContextLock();
    CGLContextLock(const CGLContextLock&) = delete;
    CGLContextLock& operator=(const CGLContextLock&) = delete;

    // True when the scope took the mutex and switched the current context.
    bool Switched() const { return fSwitched; }

private:
    CGLContext* fContext;
    plat::GLContext* fPrevious;
    bool fSwitched = false;
    bool fInPass = false; // directly inside a pass scope of this thread
};

// GL work of one thread over many contexts in a row, such as a render pass over many drawing
// areas. Every switch of the current context costs the library a flush and a rebind, and a
// scope that puts the previous context back makes two switches per area: inside a pass the
// context scopes directly in it leave their context current, so going from one area to the
// next is one switch, and the mutex they took stays held until the pass ends. When the pass
// ends, the context current at its start (or none) is current again and the mutexes are
// released. A pass inside a pass of the same thread adds nothing. Scopes nested inside the
// pass's scopes restore as usual.
class CGLPassScope {
public:
    CGLPassScope();
    ~CGLPassScope();
    CGLPassScope(const CGLPassScope&) = delete;
    CGLPassScope& operator=(const CGLPassScope&) = delete;

private:
    friend class CGLContextLock;
    // Called by a context scope directly inside the pass as it ends with its mutex locked once
    // more: the pass keeps one lock of each mutex and gives back the rest.
    void Keep(plat::RecursiveMutex& mutex);

    bool fActive = false;
    int fDepth = 0; // context scopes open on the thread when the pass began
    plat::GLContext* fPrevious = nullptr;
    std::vector<plat::RecursiveMutex*> fHeld;
};
