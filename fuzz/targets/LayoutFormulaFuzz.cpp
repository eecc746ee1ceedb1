// The layout formula language: any text ends within the step budget.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "ui/layout/LFormula.h"

#include <string_view>

int FuzzLayoutFormula(const uint8_t* data, size_t size)
{
    LFormula formula;
    formula.Run(std::string_view(reinterpret_cast<const char*>(data), size));
    FuzzCheck(formula.StepsUsed() <= LFormula::kMaxSteps, "a run takes at most kMaxSteps steps");
    // Definitions the text left behind run in a second text within a budget of their own.
    formula.Run("f();g(1,2);x+y");
    FuzzCheck(formula.StepsUsed() <= LFormula::kMaxSteps, "every top-level run has its own budget");
    return 0;
}
