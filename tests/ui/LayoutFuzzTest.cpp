// Garbled layout preludes and texts run against a frame's panes: both engines must come back
// with some value or an error, never crash, hang or trip a sanitizer. Random texts through the
// bare engines are the fuzz targets' work. The inputs are drawn from a fixed seed, so a failure
// repeats.
#include "ui/layout/LFormulaLayout.h"
#include "ui/layout/LLayoutPrelude.h"
#include "ui/layout/LLayoutScript.h"
#include "foundation/text/LStrList.h"
#include "tests/ui/FakeLayoutFrame.h"
#include "tests/ui/LayoutResources.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kMutatedInputs = 300;

// Bytes that matter to either language, so that random texts reach deep into the grammars.
const std::string kAlphabet = "0123456789abcfghijklmnpqrstwxyz_ABZ%$#@()[]{}.,;:=+-*/!<>?&|^\"\\ \t\r\n\x80\xff";

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

} // namespace

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
        AddMessageBoxPanes(frame, true);
        frame.Add(3, 4, false);
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
