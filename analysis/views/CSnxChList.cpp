#include "analysis/views/CSnxChList.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "ui/panes/LPane.h"

const char* CSnxChList::msgRender = "CSnxChList_Render";

CSnxChList::CSnxChList(LHandler* parent, LPane* host, CSpectrumAnalyser& analyser, CFaderSetRecord& document,
                       LObject* windowRecord)
    : LFrame(parent, host), fAnalyser(analyser), fDocument(document), fWindowRecord(windowRecord), fTimer(this)
{
}

void CSnxChList::RequestRender()
{
    fTimer.Request();
}

void CSnxChList::AddTrailSlice()
{
    RequestRender();
}

void CSnxChList::SetZoom(uint32_t zoom)
{
    if (zoom == fZoom)
        return;
    fZoom = zoom;
    RequestRender();
    SendPref();
}

void CSnxChList::SetBandList(const CBandList* bands)
{
    if (!bands && !fBands)
        return;
    fBands = bands;
    RequestRender();
}

void CSnxChList::SetSourceType(const CSourceType* type)
{
    fSourceType = type;
    SendPref();
}

void CSnxChList::SendPref()
{
    LMessage::Send(LMessage{LPane::msgPref, this, Parent()});
}

void CSnxChList::RenderPass()
{
    fTimer.BeginRender();
    LMessage::Send(LMessage{msgRender, this, Parent()});
    ++fPasses;
    fTimer.EndRender();
}

void CSnxChList::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, CRenderTimer::msgTime) && msg.subject == &fTimer) {
        RenderPass();
        LMessage::Clear(result);
        return;
    }
    LFrame::HandleMessage(result, msg);
}
