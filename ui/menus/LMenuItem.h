#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "foundation/core/LStringRef.h"
#include "ui/LImageRef.h"

#include <cstdint>
#include <vector>

class LMenu;

// One entry of a framework menu. Items carry command names instead of actions: handlers
// enable the commands they serve while "LMenuBar_Ready" climbs their chain, and a chosen item
// is the subject of "LMenuItem_Selected". Its parent is its menu; its link is its place in the
// menu's item list. An item without a title is a separator.
class LMenuItem : public LHandler, public SSLink {
public:
    static const char* msgSelected;

    // Modifier bits of an item's key equivalent.
    static constexpr uint32_t kModShift = 1;
    static constexpr uint32_t kModOption = 2;
    static constexpr uint32_t kModControl = 4;
    static constexpr uint32_t kModNoCommand = 8;
    static constexpr uint32_t kModNoKey = 128;

    // Not owned, disabled, unchecked, no key, empty titles, no submenu, no commands.
    explicit LMenuItem(LMenu* menu);
    ~LMenuItem() override;

    // Appends the command name unless the item carries it already.
    void AddCommand(const LStringRef& name);
    // Whether the item carries the command (text comparison).
    bool HasCommand(const char* command) const;
    // The first command name, or the empty text.
    LStringRef GetCommandName() const;
    // The numeric parameter of the command ("CAppCmd_Zm 200" in the menu text gives "200"),
    // the empty text when the item has none.
    const LStringRef& ParamText() const { return paramText; }

    // Sets the key equivalent from its text form (see KeyEquiv): has-key is whether the text
    // is not empty; a text that does not parse gives key 0 and modifiers 0. The text is kept.
    void SetKey(const LStringRef& text);
    // Disabled, unchecked, and the default title again.
    void Reset();

    bool IsSeparator() const { return title.IsEmpty(); }
    LMenu* Menu() const;

    uint8_t owned = 0;    // inserted by its menu, which deletes it on removal
    uint8_t enabled = 0;
    uint8_t checked = 0;
    uint8_t hasKey = 0;   // the menu text gave the item a key equivalent
    uint8_t keyChar = 0;
    LStringRef title;
    LStringRef defaultTitle;
    LMenu* submenu = nullptr;
    uint32_t modifiers = 0;
    LImageRef image;
    LStringRef keyText;
    LStringRef paramText;

private:
    std::vector<LStringRef> fCommands;
};
