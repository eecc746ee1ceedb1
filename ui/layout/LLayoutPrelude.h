#pragma once
#include <cstdint>
#include <string>

class LFormula;

// The process-wide layout prelude: the 'TLYO' string list "STDLAYOUT", whose item 0 defines the
// shared spacing constants and the sizing and placing functions in the formula language and
// item 1 the same in the script language.
class LLayoutPrelude {
public:
    static constexpr uint32_t kFormulaItem = 0;
    static constexpr uint32_t kScriptItem = 1;

    // An item of "STDLAYOUT"; empty when the list or the item is missing.
    static std::string Text(uint32_t item);

    // Gives a new formula engine the prelude's variables and functions. The first engine of
    // the process that finds the prelude runs it and fills the store; later ones copy the store.
    static void Install(LFormula& engine);
};
