#include "ui/layout/LLayoutPrelude.h"
#include "foundation/text/LStrList.h"
#include "ui/layout/LFormula.h"

#include <memory>

namespace {

std::unique_ptr<LFormula::Definitions>& Store()
{
    static std::unique_ptr<LFormula::Definitions> store;
    return store;
}

} // namespace

std::string LLayoutPrelude::Text(uint32_t item)
{
    LStrListRef list;
    LStrListRef::Create(list, LResRef{0, "STDLAYOUT"}, nullptr, kStrListLayouts);
    const LStringRef text = LStrListRef::GetItem(list, item);
    return std::string(text.Text(), text.Length());
}

void LLayoutPrelude::Install(LFormula& engine)
{
    std::unique_ptr<LFormula::Definitions>& store = Store();
    if (!store) {
        const std::string prelude = Text(kFormulaItem);
        // Before the resources are reachable there is nothing to keep: a later engine tries again.
        if (prelude.empty())
            return;
        engine.Run(prelude);
        store = std::make_unique<LFormula::Definitions>(engine.CopyDefinitions());
    }
    engine.LoadDefinitions(*store);
}
