#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

class CXmlElementFrame;
class LObject;
class LStream;

// Writes record trees as XML elements: simple fields as attributes (only those that differ
// from their defaults), long multi-line texts as CDATA elements, child records and lists
// inside wrapper elements named after the record and the field.
class CXmlRecordWriter {
public:
    // A record, or for null the null record's empty element when forced (else nothing).
    static void WriteRoot(CXmlElementFrame& parent, const LObject* record, bool force);
    // A record's element; written even with nothing inside when forced.
    static void WriteRecord(CXmlElementFrame& parent, const LObject* record, bool force);
    // "CREATOR_CLASS" of a record, from the codes without their outer blanks.
    static LStringRef ElementName(uint32_t creator, uint32_t cls);
};

// Cuts the stream at its position and writes the XML declaration and the record (or the null
// record) as the root element. Errors stay in the stream for the caller to test.
void WriteRecordXml(LStream& stream, const LObject* record);
