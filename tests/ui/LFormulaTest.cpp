#include "ui/layout/LFormula.h"
#include "foundation/core/LStringRef.h"
#include "tests/ui/RunawayLayoutTexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

int32_t Eval(std::string_view text)
{
    LFormula formula;
    return formula.Run(text);
}

struct Case {
    std::string_view text;
    int32_t result;
    const char* why = "";
};

void ExpectResults(std::initializer_list<Case> cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(Eval(c.text), c.result) << c.text << " " << c.why;
}

} // namespace

TEST(LFormula, StatementsGiveTheLastValueAndArithmeticWrapsIn32Bits)
{
    ExpectResults({
        {"a=2;b=a*3", 6}, {"", 0}, {";;;", 0}, {"1;2;3", 3}, {"1+2*3-4/2", 5}, {"(1+2)*3", 9}, {"7/2", 3},
        {"-7/2", -3}, {"-2*3", -6}, {"2--3", 5}, {"A=1;a", 0, "names are case-sensitive"},
        {"x = 4 ;\ty\t= x +\t1; y", 5, "blanks and tabs are skipped"},
        {"2147483647+1", INT_MIN}, {"(-2147483647-1)/(0-1)", INT_MIN}, {"-(-2147483647-1)", INT_MIN},
        {"65536*65536", 0}, {"99999999999", 1215752191, "digits accumulate in 32 bits"},
    });
}

TEST(LFormula, RunsStringHandlesAndAZeroDivisorEndsTheTerm)
{
    LFormula formula;
    const LStringRef text(std::string_view("a=2;a*4"));
    EXPECT_EQ(formula.Run(text.Get()), 8);
    EXPECT_EQ(formula.Run(static_cast<const LString*>(nullptr)), 0);
    EXPECT_EQ(std::pair(Eval("6/0*2"), Eval("5/0")), std::pair(2, 0));
    EXPECT_EQ(formula.Run("y=6/0+1"), 1);
    EXPECT_EQ(formula.GetVariable("y"), 1);
}

TEST(LFormula, LineBreaksEndStatements)
{
    LFormula formula;
    EXPECT_EQ(formula.Run("a=1+\n2"), 2);
    EXPECT_EQ(formula.GetVariable("a"), 1);
    EXPECT_EQ(formula.Run("b=3\r\nb+1"), 4);

    // A line break inside an argument list ends the call and the statement.
    LFormula call;
    EXPECT_EQ(call.Run("f#%0+%1#\nx=f(1\n5"), 5);
    EXPECT_EQ(call.GetVariable("x"), 1);
}

TEST(LFormula, CallsBuiltinsAndTextTokens)
{
    ExpectResults({
        {"n#i=0;%i(0);i#;n()", 1, "empty parentheses pass one argument 0"},
        {"n#i=0;%i(0);i#;n(4,)", 2, "a trailing comma adds an argument 0"},
        {"g#%1#;g(5,)", 0}, {"g#%1#;g(5,7)", 7}, {"g#%1#;g(5,7", 7, "the text may end inside the list"},
        {"g#%2+%9#;g(1,2)", 0, "arguments out of range are 0"}, {"nosuch(1,2)+3", 3},
        {"f#1#;f#2#;f()", 2, "the newest definition counts"}, {"%0+%1", 0, "no arguments at the top level"},
        {"max()", 0}, {"min(3,-2,7)", -2}, {"max(3,-2,7)", 7}, {"min(-2147483647-1)", INT_MIN}, {"sqrt(10)", 3},
        {"sqrt(12)", 3}, {"sqrt(13)", 4}, {"sqrt(0-4)", 0}, {"sqrt(2147483647)", 46341},
        {"sqrt", 0, "a built-in's name alone is a variable"},
        {"#a comment#\n7", 7}, {"1+#note#2", 3}, {"f#1+", 0, "an unclosed body runs to the end of the text"},
        {"f#1+#;f()", 1},
    });
}

TEST(LFormula, CallsGetTheirOwnScopeAndTheArgumentLoopRunsOverTheArguments)
{
    LFormula formula;
    EXPECT_EQ(formula.Run("a=5;f#a=%0+1;a#;f(1)"), 2);
    EXPECT_EQ(formula.GetVariable("a"), 5);
    EXPECT_EQ(Eval("b=1;g#b=7#;g();b"), 1);

    LFormula outer;
    EXPECT_EQ(outer.Run("k=3;h#k*2#;h()"), 6) << "a function sees its callers' variables";
    EXPECT_EQ(outer.SetVariable("k", 10), 10);
    EXPECT_EQ(outer.Run("h()"), 20);
    LFormula loops;
    EXPECT_EQ(loops.Run("s3#i=0;s=0;%i(s=s+%i);s*100+i#;s3(1,2,3)"), 603);
    EXPECT_EQ(loops.Run("j=0;i=0;%i(j=j+1);j"), 1) << "the body runs once at the top level";
}

TEST(LFormula, RunawayTextsStopInBoundedTime)
{
    EXPECT_EQ(Eval("f#f()+1#;f()"), LFormula::kMaxCallDepth) << "a deeper call gives 0";
    Eval("f#f()+f()#;f()");        // exponential fan-out stops at the work budget
    Eval("f#i=0;%i(i=0)#;f(1,2)"); // a loop that resets its counter stops at the pass cap
    Eval("i=0;%i(%i(%i(%i(0))))");
    EXPECT_EQ(Eval(std::string(100000, '(') + "5"), 0);
    Eval(std::string(100000, '-') + "5"); // too deep a nesting goes on as new statements
    EXPECT_EQ(Eval(std::string(50000, '-') + std::string(50000, '(')), 0);
}

TEST(LFormula, EveryStatementAndLookUpCountsAgainstTheStepBudget)
{
    LFormula formula;
    formula.Run(RunawayLayoutText(false));
    EXPECT_TRUE(formula.BudgetExhausted());
    EXPECT_LE(formula.StepsUsed(), LFormula::kMaxSteps);

    // A new run starts a new budget; every token read counts.
    EXPECT_EQ(formula.Run("a=2;b=a*3"), 6);
    EXPECT_FALSE(formula.BudgetExhausted());
    EXPECT_EQ(formula.StepsUsed(), 11) << "a = 2 ; b = a * 3, and the end read twice";
    formula.Run(std::string(640, ' '));
    EXPECT_EQ(formula.StepsUsed(), 11) << "bytes passed over count, one step per 64";

    // Variables made by a long run stay as quick to find as the first one.
    std::string many;
    for (int i = 0; i < 20000; ++i)
        many += "v" + std::to_string(i) + "=" + std::to_string(i) + ";";
    EXPECT_EQ(formula.Run(many + "v0+v19999"), 19999);
    EXPECT_FALSE(formula.BudgetExhausted());
}

TEST(LFormula, DefinitionsCopyAndLoadAndUndefinedReadsAreReported)
{
    LFormula source;
    source.Run("k=4;twice#%0*2#");
    LFormula target;
    target.LoadDefinitions(source.CopyDefinitions());
    EXPECT_EQ(target.Run("twice(k)"), 8);
    // Loaded variables are an outer scope: assigning makes a new variable that hides them.
    target.Run("k=9");
    LFormula::Definitions copy = target.CopyDefinitions();
    ASSERT_EQ(copy.variables.size(), 2u);
    EXPECT_EQ(std::pair(copy.variables[0].value, copy.variables[1].value), std::pair(4, 9));
    LFormula formula;
    std::vector<std::string> names;
    formula.SetUndefinedReadHook([&](std::string_view name) { names.emplace_back(name); });
    formula.Run("a=1;a+b;%c;f#d#;f()");
    EXPECT_EQ(names, (std::vector<std::string>{"b", "c", "d"}));
}

TEST(LFormula, BuiltinsCanBeReplaced)
{
    struct Seven : LFormula {
        Seven() { AddBuiltin("max", static_cast<Builtin>(&Seven::Fixed)); }
        int32_t Fixed() { return 7 + GetArg(0) + ArgCount(); }
    };
    Seven formula;
    EXPECT_EQ(formula.Run("max(10,1)"), 19);
    EXPECT_EQ(formula.GetArg(0), 0);
}
