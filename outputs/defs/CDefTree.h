#pragma once
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CDefReader.h"

#include <cstdint>
#include <string_view>

// The node tree of a definition file:
//   entries = entry { ';' entry }
//   entry   = nothing | text ':' ( text { ',' text } | [ block { ',' block } ] )
//   block   = '{' entries '}'
// The first error ends the parse; tokens left after the top-level entries are ignored.
class CDefTree {
public:
    // Blocks nested deeper than this are refused with a syntax error.
    static constexpr uint32_t kMaxDepth = 32;

    // Parses `text` into a fresh tree; returns the error code (0 on success, see CDefReader).
    uint32_t Parse(std::string_view text);
    void Clear();

    const CDefList& Root() const { return fRoot; }
    uint32_t Error() const { return fError; }

private:
    bool ParseEntries(CDefReader& reader, CDefList& list, uint32_t depth);
    bool ParseEntry(CDefReader& reader, CDefList& list, uint32_t depth);
    bool ParseValues(CDefReader& reader, CDefNode& node);
    bool ParseBlocks(CDefReader& reader, CDefNode& node, uint32_t depth);
    bool Fail(CDefReader& reader, uint32_t code);

    CDefList fRoot;
    uint32_t fError = 0;
};
