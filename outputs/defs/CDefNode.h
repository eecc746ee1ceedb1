#pragma once
#include <string>
#include <string_view>
#include <vector>

struct CDefNode;

// The entries of a definition file or of one block, in file order.
struct CDefList {
    std::vector<CDefNode> nodes;
};

// One "key: value" or "key: { ... }, { ... }" entry of a definition file.
struct CDefNode {
    std::string key;
    // The text in use: the last alternative of the value list that the application's text
    // encoding represents.
    std::string value;
    // The first text of the value list, as written.
    std::string firstValue;
    std::vector<CDefList> blocks;

    // The first node of `list` with that key; null when there is none.
    static const CDefNode* FindChild(const CDefList& list, std::string_view key);
    // The first block of the node with that key; null when it is absent or has no blocks.
    static const CDefList* ChildList(const CDefList& list, std::string_view key);
    // The value of the node with that key; empty when absent.
    static std::string ChildValue(const CDefList& list, std::string_view key);
    // The node's own first block; null when it has none.
    const CDefList* FirstBlock() const { return blocks.empty() ? nullptr : &blocks.front(); }
};
