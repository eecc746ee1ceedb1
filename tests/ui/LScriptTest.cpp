#include "ui/layout/LScript.h"
#include "ui/layout/LScriptSource.h"
#include "foundation/core/LStrStream.h"
#include "tests/ui/RunawayLayoutTexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace {

// Compiles a text; the result of its top level, or INT_MIN + 1 when the call failed.
constexpr int32_t kFailed = INT_MIN + 1;

int32_t RunScript(std::string_view text, uint32_t* error = nullptr)
{
    LScript script;
    LScriptSource source(text);
    script.Compile(source);
    if (error)
        *error = script.ErrorCode();
    int32_t result = kFailed;
    return script.Call(nullptr, 0, nullptr, result) ? result : kFailed;
}

uint32_t CompileError(std::string_view text)
{
    uint32_t error = 0;
    RunScript(text, &error);
    return error;
}

struct Case {
    std::string_view text;
    int32_t result;
    const char* why = "";
};

void ExpectResults(std::initializer_list<Case> cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(RunScript(c.text), c.result) << c.text << " " << c.why;
}

std::string Report(std::string_view text)
{
    LScript script;
    LScriptSource source(text);
    script.Compile(source);
    LStrStream out;
    source.ReportError(out);
    return std::string(out.View());
}

} // namespace

TEST(LScript, StatementsLogicElementsAndLoops)
{
    ExpectResults({
        {"x=5;y=x++;x*10+y", 65}, {"a=1;b=2;a+b", 3}, {"", 0}, {"x=2;x+=3;x", 5}, {"x=2;x+=3", 5},
        {"a=1;b=2;a+b;", 0, "a discarded last statement leaves nothing"},
        {"x=2;x*=3;x-=1;x/=2", 2}, {"x=y=3;x+y", 6}, {"x=5;y=x++;z=++x;z*10+y", 75}, {"x=5;x--;--x;x", 3},
        {"1+2*3-8/4", 5}, {"a=3;b=4;a*b-a/b+a-b", 11, "fused forms with variable operands"},
        {"- - 5", 5}, {"a=5;-a", -5}, {"!0*10+!7", 10},
        {"a=4;a[2]", 4}, {"a=4;b=(a[2]=9);a*10+b", 49}, {"a=4;a.size", 4}, {"a=4;b=(a.size=3);a*10+b", 43},
        {"a=4;c=1;c+a[0]", 5}, {"a=4;a[0]++", 5}, {"a=4;a[0]+=2", 6}, {"a=4;a[0]+=2;a[1][2]=1;a[0]++;a", 4},
        {"i=0;s=0;@(i<5)(s+=i;i++);s", 10}, {"i=0;@(i<5)i++", 0, "a loop's value is 0"},
        {"@1 1; 3", 3, "an endless loop stops at the pass cap"}, {"i=0;@1 @1 i++; 4", 4}, {"f#(@1 1);f()+5", 5},
        {"0|5", 5}, {"2|0", 1}, {"3&4", 4}, {"0&4", 0}, {"2^3", 1}, {"2^2", 0},
        {"x=0;1|(x=5);x", 0, "the right side of | is skipped"},
        {"x=0;0&(x=5);x", 0, "the right side of & is skipped"},
        {"3<2<1", 1, "a chain compares the first result"}, {"(2<=2)+(3>=4)+(1==1)+(1!=1)", 2},
        {"0-1<0", 1, "comparisons are signed"}, {"0?5", 0}, {"1?5", 5}, {"0?5:7", 7}, {"0?1:0?2:3", 3},
    });
}

TEST(LScript, NumbersNamesCommentsAndDivisionsThatNeverTrap)
{
    ExpectResults({
        {"1.75", 1}, {".5", 0}, {"1.2.3", 1, "a second point ends the number"},
        {"\"ab\"  \"cd\" = 4; abcd", 4, "adjacent literals form one name"}, {"\"a b\" = 2; \"a b\" * 3", 6},
        {"/* x **/ 5 */ 7", 7}, {"/* x */ 5", 5}, {"// c\n 6", 6},
        {"4294967297", 1, "digits accumulate in 32 bits"}, {"2147483647+1", INT_MIN},
        {"6/0", 0}, {"x=6;y=0;x/y", 0, "fused form"}, {"x=6;x/=0;x", 0}, {"x=6;x/=0;", 0}, {"a=6;a[1]/=0", 0},
        {"a=0;6/a[1]", 0}, {"-2147483648/-1", INT_MIN}, {"x=-2147483648;x/=-1;x", INT_MIN},
        {"abs(-2147483648)", INT_MIN},
    });
}

TEST(LScript, FunctionsArgumentsAndBuiltins)
{
    LScript script;
    LScriptSource source("f#$#*100+$0*10+$(0-1)+$3; c#42; n#(x=1;)");
    ASSERT_TRUE(script.Compile(source));
    const int32_t args[] = {1, 2, 3};
    for (const auto& [name, count, expected] : {std::tuple("f", 3u, 310), {"c", 0u, 42}, {"n", 0u, 0}}) {
        int32_t result = -1;
        ASSERT_TRUE(script.Call(name, count, count ? args : nullptr, result)) << name;
        EXPECT_EQ(result, expected) << name;
    }
    int32_t result = 77;
    EXPECT_FALSE(script.Call("missing", 0, nullptr, result));
    EXPECT_EQ(result, 77);

    ExpectResults({
        {"min(4)*10+max(4)", 44}, {"min(3,-2,7)*10+max(3,-2,7)", -13}, {"abs(-7)+arraylength(5)", 7},
        {"f#1;g#f();f#2;g()*10+f()", 12, "calls keep the definition they saw"},
        {"f#(g=3); g=1; f(); g", 1, "a name first used in a body is a local"},
        {"g=1; f#(g=3); f(); g", 3, "a global known before the body is shared"},
        {"f#(a=$0+1;a);a=5;f(1)*10+a", 25},
    });
}

TEST(LScript, CallsAreBounded)
{
    std::string chain = "f0#1;";
    for (int i = 1; i < 100; ++i)
        chain += "f" + std::to_string(i) + "#f" + std::to_string(i - 1) + "()+1;";
    // The top level is the first call level; a deeper call gives 0.
    EXPECT_EQ(RunScript(chain + "f99()"), LScript::kMaxCallDepth - 1);

    std::string fan = "g0#1;";
    for (int i = 1; i < 40; ++i)
        fan += "g" + std::to_string(i) + "#g" + std::to_string(i - 1) + "()+g" + std::to_string(i - 1) + "();";
    EXPECT_NE(RunScript(fan + "g39()"), kFailed) << "the call budget stops an exponential fan-out";
}

TEST(LScript, InstructionBudgetStopsARunWithItsOwnError)
{
    LScript script;
    const std::string text = RunawayLayoutText(true) + ";f#7;";
    LScriptSource source(text);
    ASSERT_TRUE(script.Compile(source)) << script.ErrorName(script.ErrorCode());
    int32_t result = 5;
    EXPECT_FALSE(script.Call(nullptr, 0, nullptr, result));
    EXPECT_EQ(result, 5);
    EXPECT_EQ(script.ErrorCode(), LScript::kErrSteps);
    EXPECT_STREQ(LScript::ErrorName(LScript::kErrSteps), "Steps");
    // The next run has its own budget.
    EXPECT_TRUE(script.Call("f", 0, nullptr, result));
    EXPECT_EQ(result, 7);
    EXPECT_EQ(script.ErrorCode(), LScript::kNoError);
}

TEST(LScript, CompileErrors)
{
    const struct {
        std::string text;
        uint32_t error;
        const char* why = "";
    } cases[] = {
        {"max()", LScript::kErrNumArgs}, {"abs(1,2)", LScript::kErrNumArgs},
        {"f(1); f#2", LScript::kErrNoMethod, "defined only later"},
        {"f#f()", LScript::kErrNoMethod, "a body cannot reach its own name"},
        {"max(1 2)", LScript::kErrArgList}, {"max(1", LScript::kErrEOF}, {"(1", LScript::kErrEOF},
        {"(1 2)", LScript::kErrClose}, {"a=1;a[1", LScript::kErrClose}, {"a=1;a.;", LScript::kErrMember},
        {"3=4", LScript::kErrNoLvalue}, {"++3", LScript::kErrNoLvalue}, {"(1)++", LScript::kErrNoLvalue},
        {"3[1]", LScript::kErrNoLvalue}, {")", LScript::kErrPrim},
        {std::string(100000, '('), LScript::kErrStack, "nesting is bounded"},
        {std::string(100000, '!'), LScript::kErrStack},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompileError(c.text), c.error) << c.text.substr(0, 20) << " " << c.why;

    LScript fresh;
    int32_t result = 5;
    EXPECT_FALSE(fresh.Call(nullptr, 0, nullptr, result)) << "nothing compiled yet";
    EXPECT_EQ(fresh.ErrorCode(), LScript::kErrEOF);
    EXPECT_EQ(result, 5);
}

TEST(LScript, ErrorsFailEveryCallAndReportTheFirst)
{
    // Only the first error is kept; CR, LF and CR LF end lines.
    const std::pair<const char*, const char*> reports[] = {{")", "Error: Prim, Line 1, Char 1\n"},
        {"\n\n1;  )", "Error: Prim, Line 3, Char 5\n"}, {"a=)\r\nmax()", "Error: Prim, Line 1, Char 3\n"},
        {"1;\r\n\n\r2;max()", "Error: NumArgs, Line 4, Char 7\n"}, {"a=1", ""}};
    for (const auto& [text, report] : reports)
        EXPECT_EQ(Report(text), report) << text;
    EXPECT_EQ(RunScript(")"), kFailed);

    LScript script;
    LScriptSource bad("f#1; )");
    EXPECT_FALSE(script.Compile(bad));
    int32_t result = 0;
    EXPECT_FALSE(script.Call("f", 0, nullptr, result));
    LScriptSource good("f#1");
    EXPECT_TRUE(script.Compile(good));
    EXPECT_TRUE(script.Call("f", 0, nullptr, result));
    EXPECT_EQ(result, 1);
}

TEST(LScript, GlobalsRestartAtEachCompilation)
{
    LScript script;
    LScriptSource first("n=0; bump#(n+=1)");
    ASSERT_TRUE(script.Compile(first));
    int32_t result = 0;
    ASSERT_TRUE(script.Call("bump", 0, nullptr, result));
    ASSERT_TRUE(script.Call("bump", 0, nullptr, result));
    EXPECT_EQ(result, 2) << "globals keep their values between calls";
    LScriptSource again("n=0; bump#(n+=1)");
    ASSERT_TRUE(script.Compile(again));
    ASSERT_TRUE(script.Call("bump", 0, nullptr, result));
    EXPECT_EQ(result, 1);
}

TEST(LScriptSource, CountsLinesAndColumns)
{
    // CR, LF and CR LF each end one line; other bytes advance the column.
    LScriptSource source(std::string_view("ab\r\ncd\ne\rf"));
    uint8_t c = 0;
    std::string seen;
    std::string positions;
    while (source.GetChar(c)) {
        seen.push_back(static_cast<char>(c));
        positions += std::to_string(source.Line()) + ":" + std::to_string(source.Column()) + " ";
    }
    EXPECT_EQ(seen, "ab\r\ncd\ne\rf");
    EXPECT_EQ(positions, "0:1 0:2 1:0 1:0 1:1 1:2 2:0 2:1 3:0 3:1 ");
}

TEST(LScriptSource, PutBackIsNotCountedTwiceAndNulEndsTheText)
{
    const char bytes[] = {'x', 'y', '\0', 'b'};
    LScriptSource source(std::string_view(bytes, sizeof bytes));
    uint8_t c = 0;
    ASSERT_TRUE(source.GetChar(c));
    source.UngetChar();
    ASSERT_TRUE(source.GetChar(c));
    EXPECT_EQ(c, 'x');
    EXPECT_EQ(source.Column(), 1u);
    uint8_t buffer[8] = {};
    EXPECT_EQ(source.Read(buffer, sizeof buffer), 1u);
    EXPECT_EQ(buffer[0], 'y');
    EXPECT_FALSE(source.GetChar(c));
}

TEST(LScriptSource, KeepsTheFirstError)
{
    LScriptSource source(std::string_view("abc\ndef"));
    LStrStream none;
    source.ReportError(none);
    EXPECT_EQ(none.View(), "");
    uint8_t c = 0;
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(source.GetChar(c));
    source.SetError("Close");
    source.GetChar(c);
    source.SetError("Prim");
    LStrStream report;
    source.ReportError(report);
    EXPECT_EQ(report.View(), "Error: Close, Line 2, Char 2\n");
    EXPECT_TRUE(source.HasError());
}
