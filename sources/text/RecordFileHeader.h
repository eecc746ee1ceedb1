#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class LStrStream;

// Raw-stream record files: a header of three keyword lines, then the line-protocol bytes
// exactly as they were received.
constexpr uint32_t kRecordFileType = 0x54455854; // 'TEXT'
constexpr const char* kRecordExtension = "tks";

// Appends the header: "dn " type CR, "fr " Fc ratio (at most four decimals, trailing zeros
// and point removed) CR, "sr " rate CR.
void WriteRecordFileHeader(LStrStream& out, std::string_view typeName, float fcRatio, uint32_t rate);

// Why the file at the path cannot be played as a record file, in words; empty when it can.
// A record file is text: an empty file, one that cannot be read and one with a zero byte in
// its head (a sound, an image or any other binary file given the record extension) are not,
// unless it starts with the recorder's header (the device's own bytes may hold a zero).
std::string RecordFileProblem(const std::string& path);
