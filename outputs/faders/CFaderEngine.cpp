// The fader engine's life cycle and how it follows the document's records.
#include "outputs/faders/CFaderEngine.h"

#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamNotice.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/LObjChange.h"
#include "outputs/dmx/CDmxOutput.h"
#include "outputs/faders/CFaderSoundPlayer.h"
#include "sources/ports/CUDPPort.h"

namespace {

bool IsSnx(const LObject* record, uint32_t cls)
{
    return record && record->Is(CSnxSchema::kCreator, cls);
}

} // namespace

CFaderEngine::CFaderEngine(LAsyncQueue& queue, CDmxOutput* dmxOutput, CFaderSetRecord& document,
                           CFaderEngineLinks links)
    : queue(queue), soundTimer(this), dmxOutput(dmxOutput), document(document), links(std::move(links)),
      udpPort(CUDPPort::Create(this, &queue))
{
    if (!this->links.soundMaker)
        this->links.soundMaker = &CFaderSoundPlayer::Make;
    (void)udpPort->Open(0, 0, 0);  // any local port; a port that failed to open never sends
    defaults = LoadFaderDefaults();
    consoleControls = LoadConsoleControls();
    if (const LObject* common = document.Common())
        cutDC = common->GetByte(kComnCtdc);
    observing = document.AddObserver(this, &CFaderEngine::OnDocumentChanged);
}

CFaderEngine::~CFaderEngine()
{
    if (DrivesDmxOutput())
        dmxOutput->SetDriver(nullptr);
    if (observing)
        document.RemoveObserver(this, &CFaderEngine::OnDocumentChanged);
    {
        LAsyncQueueLock lock(queue);
        while (!faders.empty()) {
            StopOutput(*faders.back(), false);
            faders.pop_back();
        }
    }
    // Outside the lock: the last port to go stops the descriptor watcher's thread.
    udpPort->Close();
    udpPort.reset();
}

uint32_t CFaderEngine::OscLocalPort() const
{
    return udpPort->IsOpen() ? udpPort->LocalPort() : 0;
}

uint32_t CFaderEngine::FaderCount() const
{
    LAsyncQueueLock lock(queue);
    return uint32_t(faders.size());
}

const CFaderOut* CFaderEngine::Fader(uint32_t index) const
{
    LAsyncQueueLock lock(queue);
    return index < faders.size() ? faders[index].get() : nullptr;
}

int32_t CFaderEngine::IndexOf(const LObject* record) const
{
    for (size_t i = 0; i < faders.size(); ++i)
        if (faders[i]->record == record)
            return int32_t(i);
    return -1;
}

bool CFaderEngine::DrivesDmxOutput() const
{
    return dmxOutput && dmxOutput->Driver() == this;
}

void CFaderEngine::TakeDmxOutput()
{
    if (!dmxOutput || DrivesDmxOutput())
        return;
    dmxOutput->SetDriver(this);
    SendDmxConsole();
    SendAllConsoleControls();
}

void CFaderEngine::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &soundTimer && StrEqual(msg.type, LTimer::msgExpire)) {
        StartSounds();
        LMessage::Clear(result);
        return;
    }
    if (msg.subject == udpPort.get()) {
        LMessage::Clear(result);  // sends complete by themselves; nothing is received
        return;
    }
    LHandler::HandleMessage(result, msg);
}

void CFaderEngine::OnDocumentChanged(void* context, LObjChange& notice)
{
    auto* engine = static_cast<CFaderEngine*>(context);
    LObject* record = notice.record;
    if (!engine || !record)
        return;
    if (IsSnx(record, CSnxSchema::kFaderClass)) {
        if (notice.operation == LObjOp::Changed)
            engine->OnFaderField(record, notice.field);
    } else if (IsSnx(record, CSnxSchema::kDocClass)) {
        if (record != engine->document.Root())
            return;
        if (notice.field == kFdrsFdrs && notice.index >= 0) {
            if (notice.operation == LObjOp::Inserted)
                engine->OnFaderInserted(uint32_t(notice.index));
            else if (notice.operation == LObjOp::Deleted)
                engine->OnFaderRemoved(uint32_t(notice.index));
            else if (notice.operation == LObjOp::Moved && notice.index2 >= 0)
                engine->OnFaderMoved(uint32_t(notice.index), uint32_t(notice.index2));
        } else if (notice.field == kFdrsDmst && engine->DrivesDmxOutput()) {
            // One element changed, or the whole array was replaced (a document load).
            if (notice.operation != LObjOp::Changed)
                return;
            if (notice.index >= 0)
                engine->SendDmxConsoleChannel(uint32_t(notice.index));
            else
                engine->SendDmxConsole();
        }
    } else if (IsSnx(record, CSnxSchema::kCommonClass)) {
        if (notice.operation == LObjOp::Changed && notice.field == kComnCtdc) {
            LAsyncQueueLock lock(engine->queue);
            engine->cutDC = record->GetByte(kComnCtdc);
        }
    } else if (record->Class() && record->Class()->Creator() == CParamSchema::kCreator) {
        engine->OnParamChanged(notice);
    }
}

void CFaderEngine::OnFaderInserted(uint32_t index)
{
    LObject* record = document.Fader(int32_t(index));
    if (!record)
        return;
    LAsyncQueueLock lock(queue);
    if (IndexOf(record) >= 0)
        return;
    auto entry = std::make_unique<CFaderOut>(record);
    ReadPassFields(*entry);
    entry->level = MapFaderRange(entry->ranges, entry->inputValue);
    if (links.soundMaker) {
        entry->player = links.soundMaker(links.soundContext);
        if (entry->player)
            entry->player->SetVolume(entry->soundScale * entry->volumeFactor);
    }
    CFaderOut& fader = *entry;
    faders.insert(faders.begin() + std::min<size_t>(index, faders.size()), std::move(entry));
    ReadFaderOutput(fader);
}

void CFaderEngine::OnFaderRemoved(uint32_t index)
{
    LAsyncQueueLock lock(queue);
    if (index >= faders.size())
        return;
    StopOutput(*faders[index], false);
    faders.erase(faders.begin() + index);
}

void CFaderEngine::OnFaderMoved(uint32_t from, uint32_t to)
{
    LAsyncQueueLock lock(queue);
    if (from >= faders.size() || to >= faders.size() || from == to)
        return;
    auto entry = std::move(faders[from]);
    faders.erase(faders.begin() + from);
    faders.insert(faders.begin() + to, std::move(entry));
}

void CFaderEngine::OnFaderField(LObject* record, uint8_t field)
{
    const bool resend = field == kFadrFrql || field == kFadrFrqh || field == kFadrAmpl || field == kFadrAmph ||
                        field == kFadrFdrl || field == kFadrFdrh || field == kFadrSchn || field == kFadrStyp;
    if (!resend && field != kFadrFtyp)
        return;  // the live values this engine writes on every pass end here
    LAsyncQueueLock lock(queue);
    const int32_t i = IndexOf(record);
    if (i < 0)
        return;
    CFaderOut& fader = *faders[size_t(i)];
    if (resend) {
        ReadPassFields(fader);
        SendOutput(fader, fader.inputValue);  // range edits act at once
        return;
    }
    StopOutput(fader, false);
    ReadFaderOutput(fader);
}

void CFaderEngine::OnParamChanged(const LObjChange& notice)
{
    CParamNotice param;
    if (!ParseParamNotice(notice, param) || !param.owner)
        return;
    if (IsSnx(param.owner, CSnxSchema::kFaderClass) && param.field == kFadrCprm) {
        LAsyncQueueLock lock(queue);
        const int32_t i = IndexOf(param.owner);
        if (i < 0)
            return;
        StopOutput(*faders[size_t(i)], true);
        ReadFaderOutput(*faders[size_t(i)]);
        return;
    }
    const bool consoleCell = param.table && param.owner == document.Root() && param.field == kFdrsMdcs;
    if (!consoleCell || param.column > 15 || !links.midiOut || !DrivesDmxOutput() || consoleControls.empty())
        return;
    for (const CConsoleControl& control : consoleControls)
        if (param.name == control.id.c_str())
            SendConsoleControl(param.column, control);
}
