#include "analysis/window/RecordCsvExport.h"
#include "analysis/views/CSnxChList.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/window/DocumentWriter.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "analysis/window/WindowMessage.h"
#include "controls/settings/CSimpleProgressDialog.h"
#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/RoundHalfAway.h"
#include "foundation/async/LTicks.h"
#include "foundation/streams/CsvField.h"
#include "foundation/streams/LStream.h"
#include "foundation/text/FileNameText.h"
#include "foundation/text/NumberFormat.h"
#include "shell/files/FileUrls.h"
#include "sources/CSampleSrc.h"
#include "sources/CSourceType.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kFrameValues = 4;
constexpr uint32_t kLabelChannels = 4;
constexpr uint32_t kProgressItem = 11;
constexpr int32_t kProgressMax = 256;
constexpr int32_t kProgressStepMs = 1000;
constexpr double kDecibelFactor = 8.686;
constexpr uint32_t kTextType = 0x54455854;       // 'TEXT'
constexpr uint32_t kUnknownCreator = 0x3F3F3F3F; // '????'

struct Options {
    float length = 0.0f;
    float interval = 0.0f;
    bool summarise = false;
    bool maximum = false;
    bool events = false;
    bool decibel = false;
};

Options ReadOptions(const LObject* view, const LObject* common)
{
    Options o;
    o.length = FloatOf(view, kWndsSptl);
    o.interval = FloatOf(view, kWndsSpti);
    o.summarise = ByteOf(view, kWndsSpts) != 0;
    const uint32_t kindBits = view ? view->GetUInt(kWndsSptd) : 0;
    float kind = 0.0f;
    std::memcpy(&kind, &kindBits, sizeof kind);   // the summary kind is kept as a float's bits
    o.maximum = kind == 1.0f;
    o.events = ByteOf(view, kWndsSpet) != 0;
    o.decibel = ByteOf(common, kComnDb) != 0;
    return o;
}

void Put(LStream& out, std::string_view text)
{
    out.Write(text.data(), text.size());
}

void PutNumber(LStream& out, int32_t decimals, double value)
{
    Put(out, DoubleToStringTrim(decimals, value).View());
}

void PutCount(LStream& out, uint64_t value)
{
    Put(out, ULongToString(value).View());
}

// A frequency as a bin of an N-point analysis at `rate`, rounded half away from zero and
// kept within 0 .. bins; at a rate of 0 every band is empty.
uint32_t BinOf(float hz, uint32_t n, uint32_t rate, uint32_t bins)
{
    if (rate == 0)
        return bins;
    return RoundToIndex(hz * float(n) / float(rate), bins);
}

class CsvWriter {
public:
    CsvWriter(CSpecWindow& window, CSampleSrc& source, float rate, LStream& out)
        : fWindow(window), fSource(source), fOut(out), fRate(rate > 0.0f && std::isfinite(rate) ? rate : 0.0f),
          fOptions(ReadOptions(ViewPrefs(), window.Document().Common())),
          fN(uint32_t(window.Plan().windowTable.size())), fBins(fN / 2),
          fLastRate(uint32_t(std::min(fRate, 4.0e9f)))
    {
        fBandMode = window.ChannelList().BandList() != nullptr;
        if (fBandMode)
            CountBands();
        fColumns = fBandMode ? fBandCount : fBins;
        for (uint32_t c = 0; c < window.Analyser().ChannelCount(); ++c)
            fAccumulators.emplace_back(fColumns, 0.0f);
    }

    ~CsvWriter()
    {
        if (fDialog)
            fDialog->HideWindow();
    }
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void WriteHead();
    CCsvExportResult WriteRows();

private:
    void CountBands();
    void WriteScaleLine();
    void WriteColumnHeads();
    // One analysis: false at the end of the recording.
    bool AnalyseStep();
    bool PushFrames();
    void Combine(uint32_t channel, uint32_t column, float value);
    void WriteRow(float t, uint32_t count);
    // Runs the progress dialog at most once a second; false when the user stopped.
    bool StepDialog(float t, float start);

    CSpecWindow& fWindow;
    CSampleSrc& fSource;
    LStream& fOut;
    float fRate;
    Options fOptions;
    uint32_t fN;
    uint32_t fBins;
    uint32_t fLastRate;
    bool fBandMode = false;
    uint32_t fBandCount = 0;
    uint32_t fColumns = 0;
    std::vector<std::vector<float>> fAccumulators;
    std::string fEventText;
    std::unique_ptr<CSimpleProgressDialog> fDialog;
    uint32_t fLastStep = 0;
};

void CsvWriter::CountBands()
{
    const float nyquist = fRate / 2.0f;
    SBandRange band{};
    while (fBandCount < CBandList::kMaxBands && fWindow.Bands().Band(fBandCount, band) && band.low < nyquist)
        ++fBandCount;
}

void CsvWriter::WriteHead()
{
    Put(fOut, "Record File,FFT Samples,Sampling[Hz],Fc Ratio,Channels,Amplitude,Time Domain,");
    Put(fOut, fBandMode ? "Bands,\n" : "\n");
    const LStringRef name = FileNameOfPath(fWindow.RecordLocation().GetPath());
    WriteCsvField(std::string(name.View()).c_str(), fOut, false);
    Put(fOut, ",");
    PutCount(fOut, fN);
    Put(fOut, ",");
    PutCount(fOut, fLastRate);
    Put(fOut, ",");
    PutNumber(fOut, 4, fSource.FcRatio());
    Put(fOut, ",");
    PutCount(fOut, fAccumulators.size());
    Put(fOut, fOptions.decibel ? ",dB," : ",linear,");
    Put(fOut, !fOptions.summarise ? "FFT," : fOptions.maximum ? "maximum," : "average,");
    if (fBandMode) {
        PutCount(fOut, fBandCount);
        Put(fOut, ",");
    }
    Put(fOut, "\n\n");
    WriteScaleLine();
    WriteColumnHeads();
}

void CsvWriter::WriteScaleLine()
{
    Put(fOut, fOptions.events ? "scale,," : "scale,");
    const CSourceType* type = FindSourceType(std::string(fSource.TypeName().View()).c_str());
    for (uint32_t c = 0; c < fAccumulators.size(); ++c) {
        if (c < kLabelChannels) {
            const CSourceChanInfo& info = type->chan[c];
            const UnitScale unit = ChooseUnitScale(info.max);
            PutNumber(fOut, unit.decimals, double(unit.scale * info.max));
            Put(fOut, " ");
            Put(fOut, unit.prefix);
            Put(fOut, info.unit.View());
        }
        for (uint32_t k = 0; k < fColumns; ++k)
            Put(fOut, ",");
    }
    Put(fOut, "\n");
}

void CsvWriter::WriteColumnHeads()
{
    Put(fOut, fOptions.events ? "time[s],event," : "time[s],");
    const float nyquist = fRate / 2.0f;
    for (uint32_t c = 0; c < fAccumulators.size(); ++c) {
        for (uint32_t k = 0; k < fColumns; ++k) {
            if (!fBandMode) {
                PutCount(fOut, k);
            } else {
                SBandRange band{};
                (void)fWindow.Bands().Band(k, band);
                PutNumber(fOut, 1, band.low);
                Put(fOut, " ");
                PutNumber(fOut, 1, std::min(band.high, nyquist));
            }
            Put(fOut, ",");
        }
    }
    Put(fOut, "\n");
}

bool CsvWriter::PushFrames()
{
    CSpectrumAnalyser& analyser = fWindow.Analyser();
    LAsyncQueueLock lock(fWindow.Queue());
    float frame[kFrameValues];
    // Events do not count: every analysis sees N samples of this stretch of the recording.
    for (uint32_t pushed = 0; pushed < fN;) {
        const int32_t got = fSource.ReadNext(frame, kFrameValues);
        if (got == 0)
            return false;
        if (got < 0) {
            const LStringRef text = fSource.TakeText();
            if (fOptions.events && !text.IsEmpty()) {
                if (!fEventText.empty())
                    fEventText += ' ';
                fEventText += text.View();
            }
            continue;
        }
        for (uint32_t c = 0; c < analyser.ChannelCount(); ++c)
            analyser.channels[c]->Push(int32_t(c) < got ? frame[c] : 0.0f);
        ++pushed;
        if (const uint32_t now = fSource.SampleRate(); now != fLastRate) {
            Put(fOut, "Sample Rate,");
            PutCount(fOut, now);
            Put(fOut, ",\n");
            fLastRate = now;
        }
    }
    return true;
}

bool CsvWriter::AnalyseStep()
{
    if (!PushFrames())
        return false;
    const CWindowedFFT& plan = fWindow.Plan();
    CSpectrumAnalyser& analyser = fWindow.Analyser();
    for (uint32_t c = 0; c < analyser.ChannelCount(); ++c) {
        CSpectrumChan& chan = *analyser.channels[c];
        if (!chan.LoadFFTInput(plan.windowTable, plan.fft) || !plan.fft.Transform(chan.fftBuffer, CFFT::Direction::Forward))
            continue;
        chan.Power(plan.windowGain);
        chan.Magnitude();
        const uint32_t bins = std::min<uint32_t>(fBins, uint32_t(chan.magnitude.size()));
        for (uint32_t k = 0; k < fColumns; ++k) {
            if (!fBandMode) {
                Combine(c, k, k < bins ? chan.magnitude[k] : 0.0f);
                continue;
            }
            SBandRange band{};
            (void)fWindow.Bands().Band(k, band);
            const uint32_t lo = BinOf(band.low, fN, fLastRate, bins);
            const uint32_t hi = BinOf(band.high, fN, fLastRate, bins);
            double sum = 0.0;
            for (uint32_t b = lo; b < hi; ++b)
                sum += chan.magnitude[b];
            Combine(c, k, hi > lo ? float(sum / (hi - lo)) : 0.0f);
        }
    }
    return true;
}

void CsvWriter::Combine(uint32_t channel, uint32_t column, float value)
{
    float& slot = fAccumulators[channel][column];
    if (!fOptions.summarise)
        slot = value;
    else if (fOptions.maximum)
        slot = std::max(slot, value);
    else
        slot += value;
}

void CsvWriter::WriteRow(float t, uint32_t count)
{
    PutNumber(fOut, 2, t);
    Put(fOut, ",");
    if (fOptions.events) {
        // The text goes through the field writer: a comma, quote or line end in it stays
        // inside its field.
        if (!fEventText.empty())
            WriteCsvField(fEventText.c_str(), fOut, true);
        fEventText.clear();
        Put(fOut, ",");
    }
    const bool average = fOptions.summarise && !fOptions.maximum && count >= 2;
    for (const std::vector<float>& channel : fAccumulators) {
        for (float value : channel) {
            if (average)
                value /= float(count);
            if (fOptions.decibel)
                value = float(double(std::log(value)) * kDecibelFactor);
            PutNumber(fOut, 3, value);
            Put(fOut, ",");
        }
    }
    Put(fOut, "\n");
}

bool CsvWriter::StepDialog(float t, float start)
{
    const uint32_t now = LTicks::Now();
    if (int32_t(now - fLastStep) < kProgressStepMs)
        return true;
    fLastStep = now;
    if (!fDialog) {
        fDialog = std::make_unique<CSimpleProgressDialog>(&fWindow);
        fDialog->SetMessage(WindowText(kProgressItem));
        fDialog->Progress().SetMax(kProgressMax);
    }
    const float done = fOptions.length > 0.0f ? (t - start) * float(kProgressMax) / fOptions.length : 0.0f;
    fDialog->Progress().SetValue(int32_t(std::clamp(done, 0.0f, float(kProgressMax))));
    return fDialog->ModalStep(0) == LModalDialog::kNone;
}

CCsvExportResult CsvWriter::WriteRows()
{
    CCsvExportResult result;
    const float start = fSource.PositionSeconds();
    const float end = start + fOptions.length;
    fLastStep = LTicks::Now();
    for (float t = start; t < end;) {
        for (std::vector<float>& channel : fAccumulators)
            std::fill(channel.begin(), channel.end(), 0.0f);
        const float next = t + fOptions.interval;
        uint32_t count = 0;
        CSourcePosition stepStart;
        do {
            fSource.GetPositionFrames(stepStart);
            if (!AnalyseStep()) {
                result.reachedEnd = true;
                return result;
            }
            if (!StepDialog(t, start)) {
                result.stopped = true;
                return result;
            }
            ++count;
        } while (fOptions.summarise && next > fSource.PositionSeconds());
        WriteRow(t, count);
        ++result.rows;
        float following = fSource.PositionSeconds();
        if (fOptions.summarise) {
            fSource.SeekFrames(stepStart);
            fSource.SeekSeconds(false, next);
            following = next;
        }
        // A position that does not move on would repeat the same row for ever.
        if (!(following > t))
            return result;
        t = following;
    }
    return result;
}

} // namespace

CCsvExportResult ExportRecordCsv(CSpecWindow& window, const CSourcePosition& position, CSampleSrc& source,
                                 float rate, LStream& out)
{
    source.SeekFrames(position);
    CsvWriter writer(window, source, rate, out);
    writer.WriteHead();
    return writer.WriteRows();
}

CsvFileOutcome ExportRecordCsvFile(CSpecWindow& window, const CSourcePosition& position, CSampleSrc& source,
                                   float rate, const std::string& path)
{
    CCsvExportResult result;
    bool exported = false;
    const bool written = WriteFileReplacing(path, kTextType, kUnknownCreator, [&](LStream& stream) {
        exported = true;
        result = ExportRecordCsv(window, position, source, rate, stream);
        return result.rows > 0;
    });
    if (written)
        return CsvFileOutcome::Written;
    if (exported && result.rows == 0)
        return result.stopped ? CsvFileOutcome::Stopped : CsvFileOutcome::NoRow;
    return CsvFileOutcome::Failed;
}

bool WholeAnalysisLeft(CSpecWindow& window, const CSourcePosition& position, CSampleSrc& source)
{
    source.SeekFrames(position);
    const size_t needed = window.Plan().windowTable.size();
    float frame[kFrameValues];
    size_t read = 0;
    for (int32_t got = 1; read < needed && got != 0;) {
        got = source.ReadNext(frame, kFrameValues);
        read += got > 0;
    }
    source.SeekFrames(position);
    return read >= needed;
}
