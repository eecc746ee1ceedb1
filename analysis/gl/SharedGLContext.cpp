#include "analysis/gl/SharedGLContext.h"
#include "shell/gl/CGLContext.h"

CGLContext* SharedGLContext()
{
    // Never deleted: later contexts borrow its mutex and share its objects to the end.
    static CGLContext* const shared = [] {
        auto* context = new CGLContext(nullptr, nullptr);
        if (!CGLContext::Shared())
            CGLContext::SetShared(context);
        return context;
    }();
    return shared;
}

CGLContext* GetSharedGLContext(CGLContext*& slot)
{
    if (!slot)
        slot = SharedGLContext();
    return slot;
}
