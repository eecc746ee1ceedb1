#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class LString;

// The layout formula language: a small integer expression language read straight from the
// text, with variables, user functions defined inside the texts, calls with argument lists,
// argument references and an argument loop. Texts are user-editable, so evaluation is
// bounded: call depth, expression nesting, loop passes and the steps of one run are capped,
// and any byte string evaluates in bounded time to some value. A step is one token read
// (every statement and every look-up reads at least one), one per 64 bytes passed over, and
// one per call or loop pass; a run out of steps reads the rest of every text as its end.
class LFormula {
public:
    using Builtin = int32_t (LFormula::*)();

    // A named variable; the engine's list holds the oldest first.
    struct Variable {
        std::string name;
        int32_t value = 0;
    };
    // A user function and its body text.
    struct Function {
        std::string name;
        std::shared_ptr<const std::string> body;
    };
    // Everything a run of texts defined, as kept by the process-wide prelude store.
    struct Definitions {
        std::vector<Variable> variables;
        std::vector<Function> functions;
    };

    static constexpr int kMaxCallDepth = 64;        // a deeper call gives 0
    static constexpr int kMaxNesting = 256;         // deeper expressions give 0
    static constexpr int32_t kMaxLoopPasses = 100000;
    static constexpr int32_t kMaxSteps = 1000000;   // steps in one top-level run

    LFormula();
    virtual ~LFormula();
    LFormula(const LFormula&) = delete;
    LFormula& operator=(const LFormula&) = delete;

    // Adds or replaces a built-in.
    void AddBuiltin(std::string_view name, Builtin op);
    // Evaluates a text from its first byte; the value of its last statement, 0 when empty.
    int32_t Run(std::string_view text);
    // The same for a string handle's text; a null text gives 0.
    int32_t Run(const LString* text);
    // Assigns in the current scope and returns the value.
    int32_t SetVariable(std::string_view name, int32_t value);
    // The innermost visible variable of that name, 0 when there is none.
    int32_t GetVariable(std::string_view name) const;
    // Argument i (0-based) of the current call; 0 when out of range.
    int32_t GetArg(int32_t i) const;
    int32_t ArgCount() const { return fArgCount; }
    // Steps taken by the current or last top-level run, and whether it ran out of them.
    int32_t StepsUsed() const { return fSteps; }
    bool BudgetExhausted() const { return fExhausted; }

    // Debug aid: called with the name whenever a text reads a variable that does not exist.
    void SetUndefinedReadHook(std::function<void(std::string_view)> hook) { fUndefinedRead = std::move(hook); }

    // Copies out, or replaces, all variables and user functions (the prelude store uses these).
    Definitions CopyDefinitions() const;
    void LoadDefinitions(const Definitions& definitions);

private:
    enum Token : uint32_t { kEnd = 0, kNumber = 1, kName = 2, kText = 3 };
    struct Source {
        std::string_view text;
        size_t pos = 0;
    };
    // Reading position plus the current token: what a call saves and a loop rewinds to.
    struct Cursor {
        Source source;
        uint32_t token = kEnd;
        int32_t number = 0;
        std::string_view word;
    };
    struct BuiltinEntry {
        std::string name;
        Builtin op;
    };
    // Hashes names given as strings or views alike, so look-ups copy nothing.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    template <typename T>
    using NameMap = std::unordered_map<std::string, T, NameHash, std::equal_to<>>;

    // Reads the next token and charges its steps.
    void Next();
    void ReadToken();
    void ReadNumber(char first);
    void ReadWord(size_t start);
    void ReadText();

    int32_t Statements();
    int32_t Expression();
    int32_t Term();
    int32_t Factor();
    int32_t NameFactor();
    int32_t ArgumentFactor();
    int32_t Sequence();
    int32_t Call(std::string_view name);
    int32_t Invoke(std::string_view name, int32_t count);
    int32_t ArgumentLoop(std::string_view counter);
    bool Charge(int32_t steps);
    int32_t BuiltinSqrt();
    int32_t BuiltinMin();
    int32_t BuiltinMax();

    int32_t Lookup(std::string_view name) const;
    void Assign(std::string_view name, int32_t value);
    void PushVariable(std::string_view name, int32_t value);
    void DropVariables(size_t count);
    void RebuildIndexes();
    void Define(std::string_view name, std::string_view body);
    const Function* FindFunction(std::string_view name) const;
    const BuiltinEntry* FindBuiltin(std::string_view name) const;

    Cursor fCur;
    int32_t fScopeCount = 0;
    int32_t fArgCount = 0;
    uint32_t fArgTop = 0;
    int fCallDepth = 0;
    int fNesting = 0;
    int32_t fSteps = 0;
    bool fExhausted = false;
    std::vector<BuiltinEntry> fBuiltins;
    std::vector<Variable> fVariables;
    NameMap<std::vector<uint32_t>> fVariableIndex;  // name -> its variables' places, innermost last
    std::vector<Function> fFunctions;
    NameMap<size_t> fFunctionIndex;
    std::vector<int32_t> fStack;
    std::function<void(std::string_view)> fUndefinedRead;
};
