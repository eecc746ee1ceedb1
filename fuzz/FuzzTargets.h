#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// One entry point per parser of outside input. libFuzzer calls one of them for each input;
// the test suite replays the corpus and the findings of every target through the same calls.
using FuzzEntry = int (*)(const uint8_t* data, size_t size);

struct FuzzTarget {
    const char* name;   // also the folder of its seeds (fuzz/corpus/<name>) and findings
    FuzzEntry entry;
};

int FuzzXmlRecords(const uint8_t* data, size_t size);
int FuzzPropertyList(const uint8_t* data, size_t size);
int FuzzIffRecords(const uint8_t* data, size_t size);
int FuzzKeyValueRecords(const uint8_t* data, size_t size);
int FuzzUndoHistory(const uint8_t* data, size_t size);
int FuzzRecordFileSource(const uint8_t* data, size_t size);
int FuzzLineSource(const uint8_t* data, size_t size);
int FuzzLayoutFormula(const uint8_t* data, size_t size);
int FuzzLayoutScript(const uint8_t* data, size_t size);
int FuzzControlDefinitions(const uint8_t* data, size_t size);
int FuzzBandFile(const uint8_t* data, size_t size);
int FuzzWavFile(const uint8_t* data, size_t size);
int FuzzCsvFields(const uint8_t* data, size_t size);
int FuzzDmxUsbInput(const uint8_t* data, size_t size);
int FuzzTimecode(const uint8_t* data, size_t size);
int FuzzEventDragItems(const uint8_t* data, size_t size);
int FuzzSingleInstanceMessage(const uint8_t* data, size_t size);
int FuzzResourceFile(const uint8_t* data, size_t size);
int FuzzSoundFile(const uint8_t* data, size_t size);

// Every target, for the replay.
std::span<const FuzzTarget> FuzzTargets();
