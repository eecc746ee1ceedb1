#include "outputs/faders/FaderDefaults.h"

#include "foundation/text/NumberParse.h"
#include "outputs/defs/CDefNode.h"
#include "outputs/defs/CDefTree.h"
#include "outputs/defs/CValueCtlDef.h"
#include "outputs/defs/DefinitionFiles.h"

namespace {

// Calls visit(control block) for each control of a loaded definition file.
template <class Visit>
void ForEachControl(const CDefTree& tree, Visit visit)
{
    const CDefNode* controls = FindControlsNode(tree);
    if (!controls)
        return;
    for (const CDefList& block : controls->blocks)
        visit(block);
}

bool ParseConsoleId(const std::string& id, uint8_t& controller)
{
    if (id == "p") {
        controller = CConsoleControl::kProgramChange;
        return true;
    }
    if (!IsDigitChar(static_cast<unsigned char>(id[0])))
        return false;
    const int32_t number = StrToLongAuto(id.c_str());
    if (number < 0 || number > 127)
        return false;
    controller = uint8_t(number);
    return true;
}

} // namespace

std::vector<CFaderDefault> LoadFaderDefaults()
{
    std::vector<CFaderDefault> defaults;
    CDefTree tree;
    for (uint32_t kind = 1; kind <= 9; ++kind) {
        if (!LoadFaderKindDefs(kind, tree))
            continue;
        ForEachControl(tree, [&](const CDefList& block) {
            defaults.push_back({kind, CDefNode::ChildValue(block, "id"),
                                std::string(CValueCtlDef::DefaultText(block).View())});
        });
    }
    return defaults;
}

std::vector<CConsoleControl> LoadConsoleControls()
{
    std::vector<CConsoleControl> controls;
    CDefTree tree;
    if (!LoadDefinitionFile("midiconsole", tree))
        return controls;
    ForEachControl(tree, [&](const CDefList& block) {
        CConsoleControl control;
        control.id = CDefNode::ChildValue(block, "id");
        if (control.id.empty() || !ParseConsoleId(control.id, control.controller))
            return;
        const std::string value(CValueCtlDef::DefaultText(block).View());
        control.value = uint8_t(StrToLongAuto(value.c_str()));
        controls.push_back(std::move(control));
    });
    return controls;
}

const std::string* FindFaderDefault(const std::vector<CFaderDefault>& defaults, uint32_t kind, std::string_view id)
{
    for (const CFaderDefault& d : defaults)
        if (d.kind == kind && d.id == id)
            return &d.value;
    return nullptr;
}
