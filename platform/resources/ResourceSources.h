#pragma once
#include "platform/resources/ResourceFile.h"

#include <string>
#include <vector>

namespace plat {

// Reads the text sources of the resource file: <root>/<TYPE>/<name>[@<id>].<ext>, one file a
// resource. TYPE is the four-character type code (shorter codes are padded with blanks).
// Files ending in ".list" are string lists: items separated by lines holding only "@@",
// packed as a big-endian u16 count followed by NUL-terminated items. Every other file is
// taken byte for byte. Resources without an id get 128, 129, ... per type in name order.
// On failure, error says which file is wrong.
ResourceStatus ReadResourceFolder(const std::string& root, std::vector<ResourceEntry>& out, std::string& error);

// Splits the text of a ".list" file into its items.
std::vector<std::string> SplitStringListText(const std::string& text);

// The packed bytes of a string list; false when it has more than 65535 items or an item holds a NUL.
bool PackStringList(const std::vector<std::string>& items, std::vector<uint8_t>& out);

} // namespace plat
