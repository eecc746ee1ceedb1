#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class CDefTree;
struct CDefNode;

// The path of an item of the shared-support folder ("support" beside the program, or
// $SONALYX_SUPPORT_DIR when set); empty for an empty name or when the program's folder is
// unknown.
std::string SharedSupportPath(std::string_view name);

// The path of a definition file in the "faders" folder of the shared-support folder; false
// for an empty name or a name that would leave the folder.
bool FaderDefPath(std::string_view name, std::string& out);

// Reads and parses a definition file into a cleared tree: 1 on success, 0 when the file is
// missing, too large or does not parse.
int LoadDefinitionFile(std::string_view name, CDefTree& tree);

// The file name of an output kind: "dmx" for 1 .. "osc" for 9; empty for other kinds.
std::string_view FaderKindName(uint32_t kind);

// Loads the definition file of an output kind 1..9; 0 for other kinds.
int LoadFaderKindDefs(uint32_t kind, CDefTree& tree);

// The "controls" node inside the top-level "sonalyx" entry of a loaded tree; null when absent.
const CDefNode* FindControlsNode(const CDefTree& tree);
