#pragma once

class CGLContext;
namespace plat {
class GLContext;
}

// Makes a context current for a scope under the mutex all contexts share. When the context
// already is current on this thread the scope neither locks nor changes anything, so nested
// scopes on one context cost nothing and scopes for different contexts nest safely; otherwise
// the previous context (or none) is current again when the scope ends, so a context that is
// current when a scope starts must outlive the scope.
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
};
