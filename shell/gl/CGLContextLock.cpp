#include "shell/gl/CGLContextLock.h"
#include "platform/gl/GLContext.h"
#include "shell/gl/CGLContext.h"

#include <algorithm>

namespace {

thread_local CGLPassScope* tPass = nullptr; // the pass open on this thread
thread_local int tScopes = 0;               // context scopes open on this thread

} // namespace

CGLContextLock::CGLContextLock(CGLContext* context)
    : fContext(context), fPrevious(plat::GLContext::Current()),
      fInPass(tPass && tScopes == tPass->fDepth)
{
    ++tScopes;
    if (!fContext)
        return;
    plat::GLContext* native = fContext->Native();
    if (native && native == fPrevious)
        return;
    fContext->Mutex().Lock();
    fSwitched = true;
    // A context without a platform context (or one the library refuses) leaves none current,
    // so that stray GL calls in the scope draw nowhere instead of into the previous context.
    if (!native || !native->MakeCurrent())
        plat::GLContext::ClearCurrent();
}

CGLContextLock::~CGLContextLock()
{
    --tScopes;
    if (!fSwitched)
        return;
    if (fInPass && tPass) {
        tPass->Keep(fContext->Mutex());
        return;
    }
    if (!fPrevious || !fPrevious->MakeCurrent())
        plat::GLContext::ClearCurrent();
    fContext->Mutex().Unlock();
}

CGLPassScope::CGLPassScope()
{
    if (tPass)
        return;
    fActive = true;
    fDepth = tScopes;
    fPrevious = plat::GLContext::Current();
    tPass = this;
}

CGLPassScope::~CGLPassScope()
{
    if (!fActive)
        return;
    tPass = nullptr;
    if (plat::GLContext::Current() != fPrevious && (!fPrevious || !fPrevious->MakeCurrent()))
        plat::GLContext::ClearCurrent();
    for (auto it = fHeld.rbegin(); it != fHeld.rend(); ++it)
        (*it)->Unlock();
}

void CGLPassScope::Keep(plat::RecursiveMutex& mutex)
{
    if (std::find(fHeld.begin(), fHeld.end(), &mutex) == fHeld.end())
        fHeld.push_back(&mutex);
    else
        mutex.Unlock();
}
