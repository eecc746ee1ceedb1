#pragma once
#include "foundation/core/LStringRef.h"
#include "outputs/defs/CCtlDef.h"

#include <memory>
#include <vector>

struct CDefNode;

// The control definitions of a "controls" block, in file order, with the layout-script texts
// that size and place them in a panel: as a row (fader editor) or as a column (MIDI console).
// The panel is pane 0; the controls are panes 1..n.
class CCtlDefList {
public:
    enum class Layout : uint8_t { Column, Row };

    // Replaces the definitions by those of the blocks of the "controls" node (null: none);
    // blocks of unknown type are skipped.
    void Load(const CDefNode* controls, Layout layout);

    uint32_t Count() const { return static_cast<uint32_t>(fDefs.size()); }
    // Definition i; null beyond the count.
    const CCtlDef* At(uint32_t i) const { return i < fDefs.size() ? fDefs[i].get() : nullptr; }
    // Id, name and default text of definition i; empty beyond the count.
    LStringRef Id(uint32_t i) const;
    LStringRef Name(uint32_t i) const;
    LStringRef DefaultText(uint32_t i) const;

    Layout LayoutKind() const { return fLayout; }
    const LStringRef& Prelude() const { return fPrelude; }
    const LStringRef& SizeScript() const { return fSize; }
    const LStringRef& PlaceScript() const { return fPlace; }

private:
    void BuildScripts();
    void BuildRowScripts(LStrStream& size, LStrStream& place) const;
    void BuildColumnScripts(LStrStream& size, LStrStream& place) const;

    LStringRef fPrelude;
    LStringRef fSize;
    LStringRef fPlace;
    std::vector<std::unique_ptr<CCtlDef>> fDefs;
    Layout fLayout = Layout::Column;
};
