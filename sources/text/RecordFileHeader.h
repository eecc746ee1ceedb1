#pragma once
#include <cstdint>
#include <string_view>

class LStrStream;

// Raw-stream record files: a header of three keyword lines, then the line-protocol bytes
// exactly as they were received.
constexpr uint32_t kRecordFileType = 0x54455854; // 'TEXT'
constexpr const char* kRecordExtension = "tks";

// Appends the header: "dn " type CR, "fr " Fc ratio (at most four decimals, trailing zeros
// and point removed) CR, "sr " rate CR.
void WriteRecordFileHeader(LStrStream& out, std::string_view typeName, float fcRatio, uint32_t rate);
