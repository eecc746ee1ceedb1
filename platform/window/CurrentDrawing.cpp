#include "platform/window/CurrentDrawing.h"

namespace plat {

namespace {
thread_local const CurrentDrawing* tCurrent = nullptr;
}

const CurrentDrawing* CurrentDrawing::Get()
{
    return tCurrent;
}

CurrentDrawingScope::CurrentDrawingScope(const CurrentDrawing& drawing) : fPrevious(tCurrent)
{
    tCurrent = &drawing;
}

CurrentDrawingScope::~CurrentDrawingScope()
{
    tCurrent = fPrevious;
}

} // namespace plat
