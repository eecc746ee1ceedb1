#include "foundation/text/HostPort.h"

#include "foundation/text/LMemInStream.h"
#include "foundation/text/NumberParse.h"
#include "foundation/text/TextTokens.h"
#include "platform/HostAddress.h"

#include <cstring>
#include <string>

namespace {

// ReadInt wraps long numbers modulo 2^32; a port text with more than five significant digits
// is out of range however it wraps.
bool HasAtMostFiveDigits(const char* text)
{
    while (IsSpaceChar(static_cast<unsigned char>(*text)) || *text == '+' || *text == '-')
        ++text;
    while (*text == '0')
        ++text;
    int digits = 0;
    while (IsDigitChar(static_cast<unsigned char>(*text++)))
        ++digits;
    return digits <= 5;
}

} // namespace

void ParseHostPort(const char* text, uint32_t& address, uint16_t& port)
{
    address = 0;
    port = 0;
    if (!text)
        return;
    const char* colon = std::strchr(text, ':');
    const char* hostEnd = colon ? colon : text + std::strlen(text);
    const char* hostStart = text;
    while (hostStart < hostEnd && IsSpaceChar(static_cast<unsigned char>(*hostStart)))
        ++hostStart;
    while (hostEnd > hostStart && IsSpaceChar(static_cast<unsigned char>(hostEnd[-1])))
        --hostEnd;
    const std::string host(hostStart, hostEnd);
    if (!plat::ParseIPv4Address(host.c_str(), address))
        address = 0;
    if (!colon)
        return;
    LMemInStream in(colon + 1, static_cast<uint32_t>(std::strlen(colon + 1)));
    int32_t number = 0;
    if (ReadInt(in, number) && number >= 1 && number <= 65535 && HasAtMostFiveDigits(colon + 1))
        port = static_cast<uint16_t>(number);
}
