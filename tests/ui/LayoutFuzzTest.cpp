// Garbled and random layout texts: both engines must come back with some value or an error,
// never crash, hang or trip a sanitizer. The inputs are drawn from a fixed seed, so a failure
// repeats.
#include "ui/layout/LFormulaLayout.h"
#include "ui/layout/LLayoutPrelude.h"
#include "ui/layout/LLayoutScript.h"
#include "ui/layout/LScriptSource.h"
#include "foundation/text/LStrList.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "tests/ui/LayoutResources.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRandomInputs = 1500;
constexpr int kMutatedInputs = 300;

// Bytes that matter to either language, so that random texts reach deep into the grammars.
const std::string kAlphabet = "0123456789abcfghijklmnpqrstwxyz_ABZ%$#@()[]{}.,;:=+-*/!<>?&|^\"\\ \t\r\n\x80\xff";

std::string RandomText(std::mt19937& rng)
{
    std::uniform_int_distribution<int> length(0, 200);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(kAlphabet.size()) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::bernoulli_distribution anyByte(0.1);
    std::string text(static_cast<size_t>(length(rng)), ' ');
    for (char& c : text)
        c = anyByte(rng) ? static_cast<char>(byte(rng)) : kAlphabet[static_cast<size_t>(pick(rng))];
    return text;
}

// A few random edits: replaced bytes, cut runs, duplicated runs.
std::string Mutate(std::string text, std::mt19937& rng)
{
    std::uniform_int_distribution<int> edits(1, 8);
    const int count = edits(rng);
    for (int i = 0; i < count && !text.empty(); ++i) {
        std::uniform_int_distribution<size_t> at(0, text.size() - 1);
        const size_t pos = at(rng);
        const size_t run = std::min<size_t>(text.size() - pos, 1 + at(rng) % 40);
        switch (rng() % 3) {
        case 0: text[pos] = kAlphabet[rng() % kAlphabet.size()]; break;
        case 1: text.erase(pos, run); break;
        default: text.insert(pos, text.substr(pos, run)); break;
        }
    }
    return text;
}

void AddPanes(FakeLayoutFrame& frame)
{
    AddMessageBoxPanes(frame, true);
    frame.Add(3, 4, false);
}

} // namespace

TEST(LayoutFuzz, RandomTextsThroughBothEngines)
{
    std::mt19937 rng(20261206);
    FakeLayoutFrame frame;
    AddPanes(frame);
    int compileErrors = 0;
    for (int i = 0; i < kRandomInputs; ++i) {
        const std::string text = RandomText(rng);
        LFormulaLayout formula(nullptr, &frame);
        formula.Run(text);

        LScript script;
        LScriptSource source(text);
        if (!script.Compile(source))
            ++compileErrors;
        int32_t result = 0;
        const int32_t args[] = {1, 2, 3};
        (void)script.Call(nullptr, 0, nullptr, result);
        (void)script.Call("f", 3, args, result);
    }
    EXPECT_GT(compileErrors, kRandomInputs / 2) << "random texts are mostly not scripts";
}

TEST(LayoutFuzz, MutatedPreludesAndLayouts)
{
    std::mt19937 rng(7);
    const std::string formulaPrelude = LLayoutPrelude::Text(LLayoutPrelude::kFormulaItem);
    const std::string scriptPrelude = LLayoutPrelude::Text(LLayoutPrelude::kScriptItem);
    ASSERT_FALSE(formulaPrelude.empty());
    ASSERT_FALSE(scriptPrelude.empty());
    const std::string calls =
        "\nPlaceTwoButton(1,2);PlaceStdIcon(4);PlaceTextBoxLTR(3,GetStdIconR(4),kStdSpc,w(0)-kStdSpc);"
        "x=CalcTwoButtonW(1,2)+CalcEditW(3,4)+CalcEditH(3,2)+CalcStdIconR(4)+CalcTextBoxW(3)\n";
    std::string scriptCalls = calls; // the same calls as script statements
    scriptCalls.front() = scriptCalls.back() = ';';
    for (int i = 0; i < kMutatedInputs; ++i) {
        FakeLayoutFrame frame;
        AddPanes(frame);
        LFormulaLayout formula(nullptr, &frame);
        formula.SetLayoutRect(CLRect{0, 0, 400, 200});
        formula.Run(Mutate(formulaPrelude + calls, rng));

        // The real prelude followed by a garbled copy of itself as the declarations.
        LLayoutScript garbled(&frame);
        const std::vector<std::string> prelude = {Mutate(scriptPrelude, rng) + scriptCalls, "", ""};
        garbled.Load(LayoutResources::MakeList(prelude));

        LLayoutScript layout(&frame);
        const std::vector<std::string> texts = {Mutate("a=1;b=2;", rng), Mutate("pp(0,0,0,a*100,b*50)", rng),
                                                Mutate(scriptCalls, rng)};
        layout.Load(LayoutResources::MakeList(texts));
        (void)layout.RunPref(nullptr);
        layout.RunLayout(nullptr);
    }
}
