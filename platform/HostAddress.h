#pragma once
#include <cstdint>

namespace plat {

// Reads a numeric IPv4 address in any of the classic forms (a.b.c.d, a.b.c, a.b, a; each part
// decimal, octal with a leading 0 or hexadecimal with 0x) into host byte order. Host names are
// never looked up. False, with 0 stored, when the text is not such an address.
bool ParseIPv4Address(const char* text, uint32_t& hostOrder);

} // namespace plat
