#include "platform/runloop/FdSource.h"

#include "platform/runloop/RunLoopEntry.h"

namespace plat {

FdSource::FdSource(RunLoop& loop, int fd, unsigned events, std::function<void(unsigned)> onReady,
                   uint32_t modes)
    : fLoop(loop), fEntry(std::make_shared<detail::RunLoopEntry>())
{
    fEntry->kind = detail::RunLoopEntry::Kind::Fd;
    fEntry->modes = modes;
    fEntry->fd = fd;
    fEntry->events = events & (kFdReadable | kFdWritable);
    fEntry->onReady = std::move(onReady);
    fLoop.Attach(fEntry);
}

FdSource::~FdSource() { fLoop.Detach(fEntry); }

void FdSource::SetEvents(unsigned events) { fLoop.SetFdEvents(*fEntry, events & (kFdReadable | kFdWritable)); }

} // namespace plat
