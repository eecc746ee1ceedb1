#include "ui/layout/LFormula.h"
#include "foundation/core/LString.h"
#include "ui/layout/LayoutChars.h"
#include "ui/layout/LayoutDepthGuard.h"
#include "ui/layout/LayoutMath.h"

#include <algorithm>


LFormula::LFormula()
{
    AddBuiltin("sqrt", &LFormula::BuiltinSqrt);
    AddBuiltin("min", &LFormula::BuiltinMin);
    AddBuiltin("max", &LFormula::BuiltinMax);
}

LFormula::~LFormula() = default;

void LFormula::AddBuiltin(std::string_view name, Builtin op)
{
    for (BuiltinEntry& entry : fBuiltins) {
        if (entry.name == name) {
            entry.op = op;
            return;
        }
    }
    fBuiltins.push_back({std::string(name), op});
}

int32_t LFormula::Run(std::string_view text)
{
    // A top-level run starts a fresh work budget; the caller's reading position is kept so
    // that a built-in may run a text of its own.
    Cursor saved = fCur;
    if (fCallDepth == 0) {
        fSteps = 0;
        fExhausted = false;
    }
    fCur = Cursor{};
    fCur.source.text = text;
    int32_t value = Statements();
    fCur = saved;
    return value;
}

int32_t LFormula::Run(const LString* text)
{
    return text ? Run(text->View()) : 0;
}

int32_t LFormula::SetVariable(std::string_view name, int32_t value)
{
    Assign(name, value);
    return value;
}

int32_t LFormula::GetVariable(std::string_view name) const
{
    const auto found = fVariableIndex.find(name);
    return found == fVariableIndex.end() ? 0 : fVariables[found->second.back()].value;
}

int32_t LFormula::GetArg(int32_t i) const
{
    if (i < 0 || i >= fArgCount)
        return 0;
    return fStack[fArgTop - static_cast<uint32_t>(fArgCount) + static_cast<uint32_t>(i)];
}

LFormula::Definitions LFormula::CopyDefinitions() const
{
    return Definitions{fVariables, fFunctions};
}

void LFormula::LoadDefinitions(const Definitions& definitions)
{
    fVariables = definitions.variables;
    fFunctions = definitions.functions;
    fScopeCount = 0;
    RebuildIndexes();
}

// ---- Tokens ----

void LFormula::Next()
{
    Source& src = fCur.source;
    const size_t start = src.pos;
    ReadToken();
    if (!Charge(1 + static_cast<int32_t>(std::min<size_t>(src.pos - start, kMaxSteps) / 64)))
        fCur.token = kEnd;
}

void LFormula::ReadToken()
{
    Source& src = fCur.source;
    if (fExhausted) {
        fCur.token = kEnd;
        return;
    }
    while (src.pos < src.text.size()) {
        const unsigned char c = static_cast<unsigned char>(src.text[src.pos++]);
        switch (c) {
        case '%': case '(': case ')': case '*': case '+': case ',': case '-': case '/': case ';': case '=':
            fCur.token = c;
            return;
        case '\n': case '\r':
            fCur.token = ';';
            return;
        case '#':
            ReadText();
            return;
        default:
            if (LayoutChars::IsDigit(c)) {
                ReadNumber(static_cast<char>(c));
                return;
            }
            if (LayoutChars::IsNameStart(c)) {
                ReadWord(src.pos - 1);
                return;
            }
            break; // any other byte is skipped
        }
    }
    fCur.token = kEnd;
}

void LFormula::ReadNumber(char first)
{
    Source& src = fCur.source;
    uint32_t value = static_cast<uint32_t>(first - '0');
    while (src.pos < src.text.size() && LayoutChars::IsDigit(static_cast<unsigned char>(src.text[src.pos])))
        value = value * 10u + static_cast<uint32_t>(src.text[src.pos++] - '0');
    fCur.token = kNumber;
    fCur.number = static_cast<int32_t>(value);
}

void LFormula::ReadWord(size_t start)
{
    Source& src = fCur.source;
    while (src.pos < src.text.size()) {
        const unsigned char c = static_cast<unsigned char>(src.text[src.pos]);
        if (!LayoutChars::IsNamePart(c))
            break;
        ++src.pos;
    }
    fCur.token = kName;
    fCur.word = src.text.substr(start, src.pos - start);
}

void LFormula::ReadText()
{
    Source& src = fCur.source;
    const size_t start = src.pos;
    const size_t close = src.text.find('#', start);
    const size_t end = close == std::string_view::npos ? src.text.size() : close;
    fCur.word = src.text.substr(start, end - start);
    src.pos = close == std::string_view::npos ? end : close + 1;
    fCur.token = kText;
}

// ---- Evaluation ----

int32_t LFormula::Statements()
{
    Next();
    int32_t value = 0;
    while (fCur.token != kEnd) {
        value = Expression();
        Next(); // the separator, or whatever the expression left unread
    }
    return value;
}

int32_t LFormula::Expression()
{
    int32_t value = Term();
    while (fCur.token == '+' || fCur.token == '-') {
        const uint32_t op = fCur.token;
        Next();
        const int32_t rhs = Term();
        value = op == '+' ? LayoutMath::Add(value, rhs) : LayoutMath::Sub(value, rhs);
    }
    return value;
}

int32_t LFormula::Term()
{
    int32_t value = Factor();
    while (fCur.token == '*' || fCur.token == '/') {
        const uint32_t op = fCur.token;
        Next();
        const int32_t rhs = Factor();
        if (op == '*') {
            value = LayoutMath::Mul(value, rhs);
        } else if (rhs == 0) {
            return 0; // a zero divisor ends the term; the next operator is left to the caller
        } else {
            value = LayoutMath::Div(value, rhs);
        }
    }
    return value;
}

int32_t LFormula::Factor()
{
    if (fNesting >= kMaxNesting)
        return 0; // too deep: the token stays for the statement loop to skip
    LayoutDepthGuard depth(fNesting);
    while (fCur.token == kText)
        Next(); // a text that follows no name is a comment
    switch (fCur.token) {
    case kNumber: {
        const int32_t value = fCur.number;
        Next();
        return value;
    }
    case kName:
        return NameFactor();
    case '%':
        Next();
        return ArgumentFactor();
    case '(':
        Next();
        return Sequence();
    case '-':
        Next();
        return LayoutMath::Neg(Factor());
    default:
        return 0;
    }
}

int32_t LFormula::NameFactor()
{
    const std::string_view name = fCur.word;
    Next();
    if (fCur.token == '=') {
        Next();
        const int32_t value = Expression();
        Assign(name, value);
        return value;
    }
    if (fCur.token == kText) {
        Define(name, fCur.word);
        Next();
        return 0;
    }
    if (fCur.token == '(')
        return Call(name);
    return Lookup(name);
}

int32_t LFormula::ArgumentFactor()
{
    if (fCur.token == kNumber) {
        const int32_t index = fCur.number;
        Next();
        return GetArg(index);
    }
    if (fCur.token != kName)
        return 0;
    const std::string_view name = fCur.word;
    Next();
    if (fCur.token == '(')
        return ArgumentLoop(name);
    return GetArg(Lookup(name)); // a negative index gives 0
}

int32_t LFormula::Sequence()
{
    int32_t value = 0;
    while (fCur.token != ')' && fCur.token != kEnd) {
        value = Expression();
        if (fCur.token == ')')
            break;
        Next();
    }
    if (fCur.token == ')')
        Next();
    return value;
}

int32_t LFormula::Call(std::string_view name)
{
    Next(); // past "("
    const size_t base = fStack.size();
    for (;;) {
        const bool empty = fCur.token == ',' || fCur.token == ')';
        fStack.push_back(empty ? 0 : Expression());
        if (fCur.token == ',') {
            Next();
            continue;
        }
        // Anything but "," ends the list: ")" is consumed, a line end is left to end the statement.
        if (fCur.token == ')')
            Next();
        break;
    }
    const int32_t result = Invoke(name, static_cast<int32_t>(fStack.size() - base));
    fStack.resize(base);
    return result;
}

int32_t LFormula::Invoke(std::string_view name, int32_t count)
{
    if (fCallDepth >= kMaxCallDepth || !Charge(1))
        return 0;
    const Function* function = FindFunction(name);
    const BuiltinEntry* builtin = function ? nullptr : FindBuiltin(name);
    if (!function && !builtin)
        return 0;

    const Cursor savedCursor = fCur;
    const int32_t savedScope = fScopeCount;
    const int32_t savedCount = fArgCount;
    const uint32_t savedTop = fArgTop;
    fScopeCount = 0;
    fArgCount = count;
    fArgTop = static_cast<uint32_t>(fStack.size());

    int32_t result = 0;
    {
        LayoutDepthGuard depth(fCallDepth);
        if (function) {
            const std::shared_ptr<const std::string> body = function->body; // the body may be redefined while it runs
            fCur = Cursor{};
            fCur.source.text = *body;
            result = Statements();
        } else {
            result = (this->*(builtin->op))();
        }
    }

    DropVariables(static_cast<size_t>(fScopeCount));
    fScopeCount = savedScope;
    fArgCount = savedCount;
    fArgTop = savedTop;
    fCur = savedCursor;
    return result;
}

int32_t LFormula::ArgumentLoop(std::string_view counter)
{
    Next(); // past "("
    const Cursor start = fCur;
    int32_t value = 0;
    for (int32_t pass = 1;; ++pass) {
        value = Sequence();
        const int32_t next = LayoutMath::Add(Lookup(counter), 1);
        Assign(counter, next);
        if (fArgCount <= next || pass >= kMaxLoopPasses || !Charge(1))
            break;
        fCur = start;
    }
    return value;
}

bool LFormula::Charge(int32_t steps)
{
    if (fExhausted || steps > kMaxSteps - fSteps) {
        fExhausted = true;
        return false;
    }
    fSteps += steps;
    return true;
}

// ---- Scopes and tables ----

int32_t LFormula::Lookup(std::string_view name) const
{
    const auto found = fVariableIndex.find(name);
    if (found != fVariableIndex.end())
        return fVariables[found->second.back()].value;
    if (fUndefinedRead)
        fUndefinedRead(name);
    return 0;
}

void LFormula::Assign(std::string_view name, int32_t value)
{
    // Only the variables of the current scope are candidates: a new one hides outer ones.
    const size_t scopeStart = fVariables.size() - static_cast<size_t>(fScopeCount);
    const auto found = fVariableIndex.find(name);
    if (found != fVariableIndex.end() && found->second.back() >= scopeStart) {
        fVariables[found->second.back()].value = value;
        return;
    }
    PushVariable(name, value);
    ++fScopeCount;
}

void LFormula::PushVariable(std::string_view name, int32_t value)
{
    auto found = fVariableIndex.find(name);
    if (found == fVariableIndex.end())
        found = fVariableIndex.emplace(std::string(name), std::vector<uint32_t>()).first;
    found->second.push_back(static_cast<uint32_t>(fVariables.size()));
    fVariables.push_back({std::string(name), value});
}

void LFormula::DropVariables(size_t count)
{
    for (count = std::min(count, fVariables.size()); count > 0; --count) {
        const auto found = fVariableIndex.find(fVariables.back().name);
        found->second.pop_back();
        if (found->second.empty())
            fVariableIndex.erase(found);
        fVariables.pop_back();
    }
}

void LFormula::RebuildIndexes()
{
    fVariableIndex.clear();
    for (size_t i = 0; i < fVariables.size(); ++i)
        fVariableIndex[fVariables[i].name].push_back(static_cast<uint32_t>(i));
    fFunctionIndex.clear();
    for (size_t i = 0; i < fFunctions.size(); ++i)
        fFunctionIndex[fFunctions[i].name] = i;
}

void LFormula::Define(std::string_view name, std::string_view body)
{
    auto text = std::make_shared<const std::string>(body);
    const auto found = fFunctionIndex.find(name);
    if (found != fFunctionIndex.end()) {
        fFunctions[found->second].body = std::move(text);
        return;
    }
    fFunctionIndex.emplace(std::string(name), fFunctions.size());
    fFunctions.push_back({std::string(name), std::move(text)});
}

const LFormula::Function* LFormula::FindFunction(std::string_view name) const
{
    const auto found = fFunctionIndex.find(name);
    return found == fFunctionIndex.end() ? nullptr : &fFunctions[found->second];
}

const LFormula::BuiltinEntry* LFormula::FindBuiltin(std::string_view name) const
{
    for (const BuiltinEntry& entry : fBuiltins) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

// ---- Built-ins ----

int32_t LFormula::BuiltinSqrt()
{
    return LayoutMath::RoundedSqrt(GetArg(0));
}

int32_t LFormula::BuiltinMin()
{
    if (fArgCount == 0)
        return 0;
    int32_t value = INT32_MAX;
    for (int32_t i = 0; i < fArgCount; ++i)
        value = std::min(value, GetArg(i));
    return value;
}

int32_t LFormula::BuiltinMax()
{
    if (fArgCount == 0)
        return 0;
    int32_t value = INT32_MIN;
    for (int32_t i = 0; i < fArgCount; ++i)
        value = std::max(value, GetArg(i));
    return value;
}
