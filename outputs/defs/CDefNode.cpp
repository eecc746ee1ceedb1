#include "outputs/defs/CDefNode.h"

const CDefNode* CDefNode::FindChild(const CDefList& list, std::string_view key)
{
    for (const CDefNode& node : list.nodes) {
        if (node.key == key)
            return &node;
    }
    return nullptr;
}

const CDefList* CDefNode::ChildList(const CDefList& list, std::string_view key)
{
    const CDefNode* node = FindChild(list, key);
    return node ? node->FirstBlock() : nullptr;
}

std::string CDefNode::ChildValue(const CDefList& list, std::string_view key)
{
    const CDefNode* node = FindChild(list, key);
    return node ? node->value : std::string();
}
