#include "ui/layout/LScriptSource.h"
#include "foundation/core/LStrStream.h"

bool LScriptSource::GetChar(uint8_t& byte)
{
    if (fHasPushedBack) {
        fHasPushedBack = false;
        byte = fPushedBack;
        return true;
    }
    if (fPos >= fText.size() || fText[fPos] == '\0')
        return false;
    const uint8_t c = static_cast<uint8_t>(fText[fPos++]);
    if (c == '\r' || (c == '\n' && fLast != '\r')) {
        ++fLine;
        fColumn = 0;
    } else if (c != '\n') {
        ++fColumn;
    }
    fLast = c;
    byte = c;
    return true;
}

void LScriptSource::UngetChar()
{
    fPushedBack = fLast;
    fHasPushedBack = true;
}

size_t LScriptSource::Read(uint8_t* buffer, size_t count)
{
    size_t n = 0;
    while (n < count && GetChar(buffer[n]))
        ++n;
    return n;
}

void LScriptSource::SetError(std::string_view name)
{
    if (fErrorFlag)
        return;
    fErrorFlag = 1;
    fErrorLine = fLine;
    fErrorColumn = fColumn;
    fErrorName = name;
}

void LScriptSource::ReportError(LStrStream& out) const
{
    if (!fErrorFlag)
        return;
    out << "Error: " << fErrorName << ", Line " << std::to_string(fErrorLine + 1) << ", Char "
        << std::to_string(fErrorColumn) << '\n';
}
