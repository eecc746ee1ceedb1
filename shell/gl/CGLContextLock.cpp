#include "shell/gl/CGLContextLock.h"
#include "platform/gl/GLContext.h"
#include "shell/gl/CGLContext.h"

CGLContextLock::CGLContextLock(CGLContext* context)
    : fContext(context), fPrevious(plat::GLContext::Current())
{
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
    if (!fSwitched)
        return;
    if (!fPrevious || !fPrevious->MakeCurrent())
        plat::GLContext::ClearCurrent();
    fContext->Mutex().Unlock();
}
