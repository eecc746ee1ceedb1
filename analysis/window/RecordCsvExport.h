#pragma once
#include <cstdint>

class CSampleSrc;
class CSpecWindow;
class LStream;
struct CSourcePosition;

// Writes the spectra of a recording as CSV text: a header line, a line naming the recording
// and the analysis, an empty line, a scale line, the column heads and one row per analysis or
// per interval, from `position` on for the export length of the preferences ('WNDS' 'sptl'
// and the rest). The window's plan, channel buffers and bands are used; the recording is read
// without pacing; the sample road must be detached meanwhile. A progress dialog lets the user
// stop a long export. Ends early, without a partial row, at the end of the recording.
struct CCsvExportResult {
    uint32_t rows = 0;        // rows written
    bool reachedEnd = false;  // the recording ended before the export length
};
CCsvExportResult ExportRecordCsv(CSpecWindow& window, const CSourcePosition& position, CSampleSrc& source,
                                 float rate, LStream& out);

// True when the recording holds at least one whole analysis of the window's plan from
// `position` on (sample frames; text events do not count). Reads ahead and seeks the source
// back to `position`.
bool WholeAnalysisLeft(CSpecWindow& window, const CSourcePosition& position, CSampleSrc& source);
