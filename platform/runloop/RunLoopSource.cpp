#include "platform/runloop/RunLoopSource.h"

#include "platform/runloop/RunLoopEntry.h"

namespace plat {

RunLoopSource::RunLoopSource(RunLoop& loop, std::function<void()> perform, uint32_t modes)
    : fLoop(loop), fEntry(std::make_shared<detail::RunLoopEntry>())
{
    fEntry->kind = detail::RunLoopEntry::Kind::Source;
    fEntry->modes = modes;
    fEntry->perform = std::move(perform);
    fLoop.Attach(fEntry);
}

RunLoopSource::~RunLoopSource() { Invalidate(); }

void RunLoopSource::Signal() { fLoop.SignalSource(*fEntry); }
void RunLoopSource::Invalidate() { fLoop.Detach(fEntry); }

} // namespace plat
