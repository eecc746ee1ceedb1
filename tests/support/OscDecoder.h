#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// An independent OSC decoder: a python3 process that receives datagrams on 127.0.0.1 and
// prints one line per message: "<bytes> <address> <type tags> <arguments>".
class OscDecoder {
public:
    // Starts the decoder for `count` datagrams (only those to `until`, when given, count); it
    // then waits a short while for extra ones.
    explicit OscDecoder(int count, const std::string& until = {});
    ~OscDecoder();
    uint16_t Port() const { return fPort; }
    // Sends the decoder a message of no arguments to the address from this process: a mark
    // between the datagrams it received before and those after.
    void Mark(const std::string& address) const;
    // The decoded lines (and "extra ..." for datagrams beyond the count), after it exits.
    std::vector<std::string> Finish();

private:
    FILE* fPipe = nullptr;
    uint16_t fPort = 0;
};
