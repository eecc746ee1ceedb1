#pragma once
#include "foundation/records/LObject.h"

#include <string>

// A class for the XML tests (creator 'TEST', class 'XMLA') whose attribute range holds every
// simple kind: 0 'txt ' text, 1 'num ' i32 (-1), 2 'hex ' byte array, 3 'flt ' float (2.5, 3
// decimals), 4 'strs' text array, 5 untagged i32, 6 'u   ' u32, 7 'kids' list of ITEM,
// 8 'one ' child ITEM, 9 'opt ' child ITEM on demand, 10 'late' i32 (not written: after kids).
struct XmlF {
    enum : uint8_t { txt, num, hex, flt, strs, hidden, u, kids, one, opt, late };
};
const LClassDesc* XmlClass();

// The bytes WriteRecordXml gives for a record.
std::string WriteXml(const LObject* record);
// Reads the text into the record; answers what ReadRecordXml answered.
bool ReadXml(const std::string& text, LObject* record);
