#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class LScript;
struct LScriptFunc;

// A built-in of the script machine: takes its arguments (first argument first) and returns the
// value that replaces them on the stack.
using LScriptBuiltin = int32_t (LScript::*)(const int32_t* args, uint32_t count);

enum class LScriptOp : uint8_t {
    End, Var, PushConst, Drop, Jump, JumpIfFalse, Join, Not, Negate,
    Add, Sub, Mul, Div, Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
    ArgCount, ArgAt, Call, Builtin,
};

// The three kinds of variable that the fused variable operations work on.
enum class LScriptVarKind : uint8_t { Global, Local, Element };

// The forms of a variable operation; x is the variable, imm the immediate, top the stack's top.
enum LScriptVarForm : uint8_t {
    kFormRef = 0,           // push x; assignments, increments and fused operators rewrite it
    kFormLoad = 1,          // push x
    kFormStoreKeep = 2,     // x := top
    kFormAddKeep = 3,       // x := x + top; top := x (4 subtract, 5 multiply, 6 divide)
    kFormIncPush = 7,       // x := x + imm; push x
    kFormStore = 8,         // x := pop (9 add, 10 subtract, 11 multiply, 12 divide)
    kFormInc = 13,          // x := x + imm
    kFormPushInc = 14,      // push x; x := x + imm
    kFormTopPlus = 15,      // top := top + x (16 minus, 17 times, 18 divided by)
    kFormCount = 19,
};

// One instruction: the operation with its immediate (a constant, an increment, a call's
// argument count) and operand (a variable index, a built-in's argument count, or a signed jump
// distance counted from the jump itself).
struct LScriptInstr {
    LScriptOp op = LScriptOp::End;
    LScriptVarKind kind = LScriptVarKind::Global;
    uint8_t form = 0;
    int32_t imm = 0;
    uint32_t operand = 0;
    const LScriptFunc* func = nullptr;
    LScriptBuiltin builtin = nullptr;

    static LScriptInstr Make(LScriptOp op, int32_t imm = 0)
    {
        LScriptInstr in;
        in.op = op;
        in.imm = imm;
        return in;
    }
    static LScriptInstr MakeVar(LScriptVarKind kind, uint8_t form, uint32_t index, int32_t imm = 0)
    {
        LScriptInstr in;
        in.op = LScriptOp::Var;
        in.kind = kind;
        in.form = form;
        in.operand = index;
        in.imm = imm;
        return in;
    }
};

// A compiled function; the top-level code has the empty name.
struct LScriptFunc {
    std::string name;
    std::vector<LScriptInstr> code;
    uint32_t maxDepth = 0;
    uint32_t localCount = 0;
};

// A name table kept sorted by bytes, searched in logarithmic time.
class LScriptNames {
public:
    // The index of a name, or -1 when it is not in the table.
    int64_t Find(std::string_view name) const;
    void Add(std::string_view name, uint32_t index);
    void Clear() { fEntries.clear(); }

private:
    std::map<std::string, uint32_t, std::less<>> fEntries;
};

// What one compilation produced: the functions (oldest first, the top level kept apart), the
// global names and the member names used after ".".
struct LScriptProgram {
    std::vector<std::unique_ptr<LScriptFunc>> functions;
    std::unique_ptr<LScriptFunc> topLevel;
    LScriptNames globals;
    std::vector<std::string> members;

    // The newest function of that name, the top level last; null when there is none.
    const LScriptFunc* Find(std::string_view name) const;
    uint32_t MemberIndex(std::string_view name);
};
