#pragma once
#include <cstdint>
#include <string>

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
    bool stopped = false;     // the user stopped it
};
CCsvExportResult ExportRecordCsv(CSpecWindow& window, const CSourcePosition& position, CSampleSrc& source,
                                 float rate, LStream& out);

// How an export into a file went.
enum class CsvFileOutcome : uint8_t {
    Written,  // the file holds the export: rows up to its length, its end or the user's stop
    NoRow,    // the recording ended before the first row
    Stopped,  // the user stopped it before the first row
    Failed,   // the file could not be written
};
// Exports into the file at `path` through a temporary file beside it, which replaces the file
// only when at least one row was written and all of it reached the disk: otherwise any file of
// that name stays as it was. The source is left where the export ended.
CsvFileOutcome ExportRecordCsvFile(CSpecWindow& window, const CSourcePosition& position, CSampleSrc& source,
                                   float rate, const std::string& path);

// True when the recording holds at least one whole analysis of the window's plan from
// `position` on (sample frames; text events do not count). Reads ahead and seeks the source
// back to `position`.
bool WholeAnalysisLeft(CSpecWindow& window, const CSourcePosition& position, CSampleSrc& source);
