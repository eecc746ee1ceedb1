#include "sources/audio/CAudioInHolder.h"

int CAudioInHolder::Open(const std::string& device, const std::string& dataSource, const CSampleFormat& format)
{
    if (fUnit)
        return 0;
    auto unit = std::make_unique<CAudioUnitIO>(fQueue);
    const int error = unit->Open(device, dataSource, format);
    fOpenFailure = unit->OpenFailure();
    if (error)
        return error;
    fUnit = std::move(unit);
    return 0;
}

void CAudioInHolder::Close()
{
    if (!fUnit)
        return;
    fUnit->Stop();
    fUnit->Close();
    fUnit.reset();
}

void CAudioInHolder::Start()
{
    if (fUnit)
        fUnit->Start();
}

void CAudioInHolder::SetConsumer(void* context, CAudioUnitIO::Consumer consumer)
{
    if (fUnit)
        fUnit->SetConsumer(context, consumer);
}

CSampleFormat CAudioInHolder::Format() const
{
    return fUnit ? fUnit->Format() : CSampleFormat();
}
