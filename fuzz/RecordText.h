#pragma once
#include <string>

class LObject;

// The stored forms of a record tree, for the round trips of the record readers' targets.
std::string RecordXml(const LObject* root);
std::string RecordChunks(uint32_t creator, uint32_t cls, const LObject* root);
std::string RecordPropertyList(const LObject* root);
