#pragma once
#include <memory>

namespace plat {
class RunLoop;
class RunLoopSource;
}

// Lets any thread make the thread that initialised it (usually the main thread) call a
// function from its run loop. Signals that arrive before the call merge into one.
class LMainSignal {
public:
    using Function = void (*)(void* context);

    LMainSignal();
    // Releases the source: a call that has not run yet never runs.
    ~LMainSignal();
    LMainSignal(const LMainSignal&) = delete;
    LMainSignal& operator=(const LMainSignal&) = delete;

    // Binds the signal to the calling thread's run loop, in the common modes.
    void Init(void* context, Function function);
    // Makes the bound run loop call the function. Any thread; nothing before Init.
    void Signal();
    plat::RunLoop* RunLoop() const { return fRunLoop; }

private:
    plat::RunLoop* fRunLoop = nullptr;
    std::unique_ptr<plat::RunLoopSource> fSource;
    void* fContext = nullptr;
    Function fFunction = nullptr;
};
