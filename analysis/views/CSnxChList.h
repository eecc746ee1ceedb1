#pragma once
#include "analysis/views/CRenderTimer.h"
#include "ui/frames/LFrame.h"

#include <cstdint>

class CBandList;
class CFaderSetRecord;
class CSpectrumAnalyser;
class LObject;
struct CSourceType;

// The pane that shows a document's analysed channels and paces all drawing of the analysis:
// every pass of its render timer first sends "CSnxChList_Render" to the document window,
// which analyses the newest samples, and then draws. Render requests are coalesced.
class CSnxChList : public LFrame {
public:
    static const char* msgRender;   // "CSnxChList_Render"

    CSnxChList(LHandler* parent, LPane* host, CSpectrumAnalyser& analyser, CFaderSetRecord& document,
               LObject* windowRecord);

    void RequestRender();
    // Takes the slice of the newest analysis into the trail, then asks for a render.
    void AddTrailSlice();
    // The amplitude zoom; a change re-runs the window's layout.
    void SetZoom(uint32_t zoom);
    uint32_t Zoom() const { return fZoom; }
    // The bands shown instead of spectra, or null for spectra.
    void SetBandList(const CBandList* bands);
    const CBandList* BandList() const { return fBands; }
    // The type of the current source, or null.
    void SetSourceType(const CSourceType* type);
    const CSourceType* SourceType() const { return fSourceType; }

    CRenderTimer& Timer() { return fTimer; }
    uint32_t RenderPasses() const { return fPasses; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void RenderPass();
    void SendPref();

    CSpectrumAnalyser& fAnalyser;
    CFaderSetRecord& fDocument;
    LObject* fWindowRecord;
    const CSourceType* fSourceType = nullptr;
    const CBandList* fBands = nullptr;
    uint32_t fZoom = 1;
    uint32_t fPasses = 0;
    CRenderTimer fTimer;
};
