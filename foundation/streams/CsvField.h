#pragma once
#include <cstdint>

class LCharSource;
class LStream;
class LStrStream;

// Reads one comma-separated field into `out`. Double quotes group (a comma or line end
// inside them is part of the field) and two double quotes inside quotes stand for one.
// An unquoted comma ends the field and is consumed; an unquoted CR or LF ends it and is left
// in the source for the caller's line-end handling. True when a comma ended the field or
// something was written; false for an empty last field of a line or of the input.
bool ReadCsvField(LCharSource& source, LStrStream& out);

// The bulk read of a character source that only reads byte by byte: up to n bytes, stopping
// at the first byte the source does not deliver.
uint32_t ReadSourceBytes(LCharSource& source, void* buffer, uint32_t n);

// Writes one comma-separated field. It is written between double quotes when `forceQuotes`
// is set, when it holds CR, LF, a double quote or a comma, or when it begins or ends with a
// blank (space or tab); a double quote inside is doubled. A null text writes nothing, or an
// empty quoted field when quotes are forced.
void WriteCsvField(const char* text, LStream& out, bool forceQuotes);
