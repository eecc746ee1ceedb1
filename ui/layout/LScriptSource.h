#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class LStrStream;

// Reads the text of a layout script byte by byte for the compiler, counting lines and columns,
// and keeps the first error found with its position. A NUL byte ends the text.
class LScriptSource {
public:
    explicit LScriptSource(std::string_view text) : fText(text) {}
    virtual ~LScriptSource() = default;
    LScriptSource(const LScriptSource&) = delete;
    LScriptSource& operator=(const LScriptSource&) = delete;

    // The next byte; false at the end of the text. CR, LF and CR LF each end one line.
    virtual bool GetChar(uint8_t& byte);
    // Makes the last byte read the next one again (one byte of put-back).
    virtual void UngetChar();
    // Reads up to count bytes through GetChar; returns how many were read.
    virtual size_t Read(uint8_t* buffer, size_t count);
    // Records the first error with the current line and column; later calls change nothing.
    virtual void SetError(std::string_view name);
    // Appends "Error: <name>, Line <line>, Char <column>\n" when an error was recorded.
    virtual void ReportError(LStrStream& out) const;

    bool HasError() const { return fErrorFlag != 0; }
    uint32_t Line() const { return fLine; }
    uint32_t Column() const { return fColumn; }

private:
    std::string_view fText;
    size_t fPos = 0;
    uint8_t fLast = 0;
    uint8_t fPushedBack = 0;
    bool fHasPushedBack = false;
    uint32_t fLine = 0;
    uint32_t fColumn = 0;
    uint8_t fErrorFlag = 0;
    uint32_t fErrorLine = 0;
    uint32_t fErrorColumn = 0;
    std::string fErrorName;
};
