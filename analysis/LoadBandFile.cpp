#include "analysis/LoadBandFile.h"
#include "analysis/CBandList.h"
#include "foundation/text/LMemInStream.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberParse.h"
#include "foundation/text/TextTokens.h"
#include "foundation/streams/CBufferedForkStream.h"
#include "foundation/streams/CUTF8TextReader.h"
#include "foundation/streams/CsvField.h"
#include "foundation/streams/ZeroByte.h"

#include <cmath>
#include <utility>

namespace {

// The band of one line's first field: two white-space separated words read as numbers (a word
// that is not a number reads as 0). False when the field holds no usable band.
bool ParseBandField(const LStrStream& field, LStrStream& word, SBandRange& band)
{
    LMemInStream in(field.CStr(), field.Length());
    word.Clear();
    if (!ReadWord(in, word))
        return false;
    const double low = StrToDouble(word.CStr());
    word.Clear();
    if (!ReadWord(in, word))
        return false;
    const double high = StrToDouble(word.CStr());
    band = {static_cast<float>(low), static_cast<float>(high)};
    return std::isfinite(band.low) && std::isfinite(band.high) && high >= low;
}

} // namespace

void ReadBandLines(CBandList& list, LCharSource& source)
{
    list.Clear();
    LStrStream field;
    LStrStream word;
    do {
        field.Clear();
        ReadCsvField(source, field);
        SBandRange band{};
        if (ParseBandField(field, word, band) && !list.Insert(band))
            return; // the list is full: the rest of the file cannot be kept anyway
    } while (SkipLineEnd(source));
}

bool LoadBandFile(CBandList& list, std::string_view path, std::string* failure)
{
    const auto fail = [failure](const char* reason) {
        if (failure)
            *failure = reason;
        return false;
    };
    CBufferedForkStream stream(path, LStream::kReadOnly);
    if (stream.Error() != LStream::kNoError)
        return fail(plat::FileResultText(stream.OpenResult()));
    const uint64_t size = stream.GetSize();
    if (stream.Error() != LStream::kNoError)
        return fail("it cannot be read");
    if (size > kMaxBandFileBytes)
        return fail("it is too large for a band file");
    stream.SetPosition(0);
    if (HoldsZeroByte(stream))
        return fail("it is not a text file of bands");
    if (stream.Error() != LStream::kNoError)
        return fail("it cannot be read");
    stream.SetPosition(0);
    CUTF8TextReader reader(&stream);
    CBandList fresh;
    ReadBandLines(fresh, reader);
    if (stream.Error() != LStream::kNoError)
        return fail("it cannot be read");
    list.bands = std::move(fresh.bands);
    return true;
}
