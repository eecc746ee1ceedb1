// Control-definition files: the tree respects its depth cap, and the layout texts generated
// from its controls run within the formula language's step budget.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "outputs/defs/CCtlDefList.h"
#include "outputs/defs/CDefTree.h"
#include "outputs/defs/DefinitionFiles.h"
#include "ui/layout/LFormula.h"

#include <string_view>

namespace {

uint32_t Depth(const CDefList& list)
{
    uint32_t deepest = 0;
    for (const CDefNode& node : list.nodes)
        for (const CDefList& block : node.blocks)
            deepest = std::max(deepest, Depth(block) + 1);
    return deepest;
}

} // namespace

int FuzzControlDefinitions(const uint8_t* data, size_t size)
{
    CDefTree tree;
    const uint32_t error = tree.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    FuzzCheck(error == tree.Error(), "the parse answers its own error");
    FuzzCheck(Depth(tree.Root()) <= CDefTree::kMaxDepth, "blocks nest at most kMaxDepth deep");
    for (const auto layout : {CCtlDefList::Layout::Row, CCtlDefList::Layout::Column}) {
        CCtlDefList list;
        list.Load(FindControlsNode(tree), layout);
        LFormula formula;
        for (const LStringRef* text : {&list.Prelude(), &list.SizeScript(), &list.PlaceScript()}) {
            formula.Run(text->View());
            FuzzCheck(formula.StepsUsed() <= LFormula::kMaxSteps, "generated layout texts stay in budget");
        }
    }
    return 0;
}
