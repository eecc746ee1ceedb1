#pragma once
#include "analysis/render/CTrailRenderer.h"
#include "analysis/render/CWaveRenderer.h"
#include "analysis/render/RenderInput.h"
#include "analysis/views/CChAxisLabels.h"
#include "analysis/views/CRenderTimer.h"
#include "analysis/views/ChRowLayout.h"
#include "controls/lists/LCellGrid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class CBandList;
class CFaderSetRecord;
class CGridInfoFrame;
class CSpectrumAnalyser;
class LObject;
class SNXCHCELL;
struct CSourceType;
struct LObjChange;

// The pane that shows a document's analysed channels, one row (SNXCHCELL) per channel, and
// paces all drawing of the analysis: every pass of its render timer first sends
// "CSnxChList_Render" to the document window, which analyses the newest samples, and then
// draws every row's colour scale, spectrum and waveform. Render requests are coalesced.
class CSnxChList : public LCellGrid {
public:
    static const char* msgRender;   // "CSnxChList_Render"

    // `parent` is the pane that shows the list; messages the list sends climb from there.
    CSnxChList(LPane* parent, CSpectrumAnalyser& analyser, CFaderSetRecord& document, LObject* windowRecord);
    ~CSnxChList() override;

    void RequestRender();
    // Takes the slice of the newest analysis into the trail, then asks for a render.
    void AddTrailSlice();
    // Takes the slice into the trail inside a render pass, which draws it: asking for another
    // pass would draw the same picture again when no new data arrives before it.
    void TakeTrailSlice();
    // The amplitude zoom; a change re-runs the window's layout.
    void SetZoom(uint32_t zoom);
    uint32_t Zoom() const { return fZoom; }
    // The bands shown instead of spectra, or null for spectra.
    void SetBandList(const CBandList* bands);
    const CBandList* BandList() const { return fBands; }
    // The type of the current source, or null.
    void SetSourceType(const CSourceType* type);
    const CSourceType* SourceType() const { return fSourceType; }
    // Where the spectrum pane ends and the waveform pane begins in every row.
    void SetViewSizes(int32_t specr, int32_t rawsl);
    const ChRowLayout& RowLayout() const { return fLayout; }
    // Seconds the waveform shows (1 without channels).
    float WaveSpanSeconds() const;
    // Left and right edges of the spectrum view and of the waveform view inside a row.
    std::array<int32_t, 4> GetViewColumns();

    // The waveform grid step with its unit, for the span the waveform shows now.
    const LStringRef& TimeLabel();
    const LStringRef& FreqUnit() const { return fFreqUnit; }
    const CReadoutScale& FreqReadout() const { return fFreqReadout; }
    const std::vector<CChAxisLabels>& AxisLabels() const { return fAxisLabels; }
    CRenderTimer& Timer() { return fTimer; }
    uint32_t RenderPasses() const { return fPasses; }
    CTrailRenderer& Trail() { return fTrail; }

    // Three texts for top, middle and bottom levels of an axis in the unit.
    static std::array<LStringRef, 3> FormatAxisTexts(float top, float middle, float bottom, const LStringRef& unit);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void RectChanged(const CLRect& old) override;
    void StateChanged(int32_t event) override;
    std::unique_ptr<LPane> CreateCell() override;
    bool FillCell(LPane& pane, const CLPoint& cell) override;
    void ConfigureCell(LPane& pane) override;
    int32_t CellSizePolicy(CLPoint& size) override;

private:
    // Render pass and renderer input (CSnxChListRender.cpp).
    void RenderPass();
    void ForEachRow(const std::function<void(int32_t, SNXCHCELL&)>& visit);
    RenderInput Input(bool forPass) const;
    void RebuildTrail(bool reset);
    // Texts (CSnxChListLabels.cpp).
    void BuildAmplitudeLabels();
    // Builds the level texts anew and lays the rows out for them; their text columns may
    // change width, so every row is drawn again.
    void RelabelRows();
    void BuildTimeLabel();
    // Builds the time label again when the waveform's span changed since it was built: a rate,
    // FFT size, channel or trail change may reach this list after the views that read it.
    void FollowWaveSpan();
    void BuildFrequencyLabel();
    void MeasureHeaderColumns();
    void FillAxisTexts(LPane& pane, uint32_t row);
    void FillCursorFields(LPane& pane, uint32_t row);
    void FixCursorField(const LMessage& msg);
    // Record notices (CSnxChListNotices.cpp).
    static void PrefsChanged(void* context, LObjChange& notice);
    void RecordChanged(const LObjChange& notice);
    void FaderChanged(const LObjChange& notice);
    void WindowChanged(const LObjChange& notice);
    void ChannelsChanged();
    void FitCellSize();
    void SendPref();
    // Lays every row out again and draws them all.
    void RedrawRows();
    void RefreshRows();
    uint32_t WaveSamples(uint32_t channel) const;

    CSpectrumAnalyser& fAnalyser;
    CFaderSetRecord& fDocument;
    LObject* fWindowRecord;
    const CSourceType* fSourceType = nullptr;
    const CBandList* fBands = nullptr;
    uint32_t fZoom = 1;
    LStringRef fFreqUnit;
    CReadoutScale fFreqReadout;
    ChRowLayout fLayout;
    std::vector<CChAxisLabels> fAxisLabels;
    LStringRef fTimeLabel;
    float fWaveSpan = 1.0f;
    float fWaveStep = 1.0f;
    CRenderTimer fTimer;
    CTrailRenderer fTrail;
    CWaveRenderer fWave;
    uint32_t fPasses = 0;
    // The spectrum surfaces whose depth buffers hold only the cleared depth.
    std::vector<uint64_t> fClearDepth;
    bool fObservingDocument = false;
    bool fObservingPrefs = false;
};
