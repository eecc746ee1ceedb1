#pragma once
#include <cstdint>

// Reads "host:port": the host (white space around it dropped) must be a numeric IPv4 address,
// stored in host byte order, else 0; host names are not looked up. The port is the number
// after the first ':', 0 when there is none or it lies outside 1..65535.
void ParseHostPort(const char* text, uint32_t& address, uint16_t& port);
