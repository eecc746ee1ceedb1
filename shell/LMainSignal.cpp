#include "shell/LMainSignal.h"

#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopSource.h"

LMainSignal::LMainSignal() = default;

LMainSignal::~LMainSignal() = default;

void LMainSignal::Init(void* context, Function function)
{
    fSource.reset();
    fContext = context;
    fFunction = function;
    fRunLoop = &plat::RunLoop::Current();
    fSource = std::make_unique<plat::RunLoopSource>(*fRunLoop, [this] {
        if (fFunction)
            fFunction(fContext);
    });
}

void LMainSignal::Signal()
{
    if (fSource)
        fSource->Signal();
}
