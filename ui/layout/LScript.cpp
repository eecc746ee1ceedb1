// The stack machine that runs compiled layout scripts, and the built-ins of every script.
#include "ui/layout/LScript.h"
#include "ui/layout/LayoutDepthGuard.h"
#include "ui/layout/LayoutMath.h"

#include <algorithm>
#include <new>

namespace {

// x op y for the four arithmetic operations, numbered add, subtract, multiply, divide.
int32_t Arith(int which, int32_t x, int32_t y)
{
    switch (which) {
    case 0: return LayoutMath::Add(x, y);
    case 1: return LayoutMath::Sub(x, y);
    case 2: return LayoutMath::Mul(x, y);
    default: return LayoutMath::Div(x, y);
    }
}

constexpr size_t kStackSlack = 8;

} // namespace

LScript::LScript() = default;
LScript::~LScript() = default;

void LScript::RegisterBuiltins()
{
    AddBuiltin("min", &LScript::BuiltinMin, 1, 255);
    AddBuiltin("max", &LScript::BuiltinMax, 1, 255);
    AddBuiltin("abs", &LScript::BuiltinAbs, 1, 1);
    AddBuiltin("arraylength", &LScript::BuiltinArrayLength, 1, 1);
}

bool LScript::Call(const char* name, uint32_t count, const int32_t* args, int32_t& result)
{
    if (fError != kNoError || !fProgram || fCallDepth > 0)
        return false;
    const LScriptFunc* func = fProgram->Find(name ? name : "");
    if (!func || (count > 0 && !args))
        return false;
    const size_t need = static_cast<size_t>(func->maxDepth) + count + kStackSlack;
    if (fStack.size() < need) {
        try {
            fStack.resize(need, 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    fSp = 0;
    fArgBase = 0;
    fArgCount = 0;
    fLocals = nullptr;
    fLocalCount = 0;
    fCalls = 0;
    fLoopPasses = 0;
    fSteps = 0;
    fRunError = kNoError;
    for (uint32_t i = 0; i < count; ++i)
        fStack[fSp++] = args[i];
    if (!RunCall(*func, count))
        return false;
    result = fStack[0];
    return true;
}

bool LScript::Push(int32_t value)
{
    if (fSp >= fStack.size())
        return false;
    fStack[fSp++] = value;
    return true;
}

bool LScript::Pop(int32_t& value)
{
    if (fSp <= fArgBase)
        return false; // never below the running call's own values
    value = fStack[--fSp];
    return true;
}

// Runs a function whose count arguments are the top of the stack, and leaves its result in
// the place of the first argument. False when the run broke the machine's bounds.
bool LScript::RunCall(const LScriptFunc& func, uint32_t count)
{
    if (count > fSp - fArgBase)
        return false;
    const size_t first = fSp - count;
    int32_t result = 0;
    if (fCallDepth < kMaxCallDepth && fCalls < kMaxCalls) {
        ++fCalls;
        std::unique_ptr<int32_t[]> locals(new (std::nothrow) int32_t[func.localCount + 1]());
        if (locals) {
            const size_t savedBase = fArgBase;
            const uint32_t savedCount = fArgCount;
            int32_t* const savedLocals = fLocals;
            const uint32_t savedLocalCount = fLocalCount;
            fArgBase = fSp;
            fArgCount = count;
            fLocals = locals.get();
            fLocalCount = func.localCount;
            bool ok;
            {
                LayoutDepthGuard level(fCallDepth);
                ok = Execute(func);
            }
            if (ok && fSp > fArgBase)
                result = fStack[fSp - 1];
            fArgBase = savedBase;
            fArgCount = savedCount;
            fLocals = savedLocals;
            fLocalCount = savedLocalCount;
            if (!ok)
                return false;
        }
    }
    fSp = first;
    return Push(result);
}

bool LScript::Execute(const LScriptFunc& func)
{
    const std::vector<LScriptInstr>& code = func.code;
    size_t pc = 0;
    while (pc < code.size()) {
        const LScriptInstr& in = code[pc];
        if (++fSteps > kMaxSteps) {
            fRunError = kErrSteps;
            return false;
        }
        int32_t a = 0;
        switch (in.op) {
        case LScriptOp::End:
            return true;
        case LScriptOp::Var:
            if (!(in.kind == LScriptVarKind::Element ? ElementOp(in) : VarOp(in)))
                return false;
            break;
        case LScriptOp::PushConst:
            if (!Push(in.imm))
                return false;
            break;
        case LScriptOp::Drop:
            if (!Pop(a))
                return false;
            break;
        case LScriptOp::Jump: {
            const int32_t distance = static_cast<int32_t>(in.operand);
            if (distance < 0 && ++fLoopPasses > kMaxLoopPasses)
                break; // the loop has run long enough: fall through to its end
            const int64_t target = static_cast<int64_t>(pc) + distance;
            if (target < 0 || target >= static_cast<int64_t>(code.size()))
                return false;
            pc = static_cast<size_t>(target);
            continue;
        }
        case LScriptOp::JumpIfFalse: {
            if (!Pop(a))
                return false;
            if (a != 0)
                break;
            const int64_t target = static_cast<int64_t>(pc) + static_cast<int32_t>(in.operand);
            if (target <= static_cast<int64_t>(pc) || target >= static_cast<int64_t>(code.size()))
                return false;
            pc = static_cast<size_t>(target);
            continue;
        }
        case LScriptOp::Join:
            break;
        case LScriptOp::Not:
        case LScriptOp::Negate:
            if (fSp <= fArgBase)
                return false;
            fStack[fSp - 1] = in.op == LScriptOp::Not ? (fStack[fSp - 1] == 0 ? 1 : 0) : LayoutMath::Neg(fStack[fSp - 1]);
            break;
        case LScriptOp::ArgCount:
            if (!Push(static_cast<int32_t>(fArgCount)))
                return false;
            break;
        case LScriptOp::ArgAt: {
            if (fSp <= fArgBase)
                return false;
            const uint32_t index = static_cast<uint32_t>(fStack[fSp - 1]);
            fStack[fSp - 1] = index < fArgCount ? fStack[fArgBase - fArgCount + index] : 0;
            break;
        }
        case LScriptOp::Call:
            if (!in.func || in.imm < 0 || !RunCall(*in.func, static_cast<uint32_t>(in.imm)))
                return false;
            break;
        case LScriptOp::Builtin: {
            if (!in.builtin || in.operand > fSp - fArgBase)
                return false;
            const size_t first = fSp - in.operand;
            const int32_t value = (this->*(in.builtin))(fStack.data() + first, in.operand);
            fSp = first;
            if (!Push(value))
                return false;
            break;
        }
        default:
            if (!Binary(in.op))
                return false;
            break;
        }
        ++pc;
    }
    return false; // ran off the end without an end marker
}

bool LScript::Binary(LScriptOp op)
{
    int32_t b = 0;
    if (!Pop(b) || fSp <= fArgBase)
        return false;
    int32_t& a = fStack[fSp - 1];
    switch (op) {
    case LScriptOp::Add: a = LayoutMath::Add(a, b); break;
    case LScriptOp::Sub: a = LayoutMath::Sub(a, b); break;
    case LScriptOp::Mul: a = LayoutMath::Mul(a, b); break;
    case LScriptOp::Div: a = LayoutMath::Div(a, b); break;
    case LScriptOp::Equal: a = a == b; break;
    case LScriptOp::NotEqual: a = a != b; break;
    case LScriptOp::Less: a = a < b; break;
    case LScriptOp::Greater: a = a > b; break;
    case LScriptOp::LessEqual: a = a <= b; break;
    case LScriptOp::GreaterEqual: a = a >= b; break;
    default: return false;
    }
    return true;
}

// A global or local variable operation.
bool LScript::VarOp(const LScriptInstr& in)
{
    int32_t* x = nullptr;
    if (in.kind == LScriptVarKind::Global) {
        if (in.operand >= fGlobals.size())
            return false;
        x = &fGlobals[in.operand];
    } else {
        if (!fLocals || in.operand >= fLocalCount)
            return false;
        x = &fLocals[in.operand];
    }
    const uint8_t form = in.form;
    int32_t v = 0;
    if (form <= kFormLoad)
        return Push(*x);
    if (form < kFormIncPush) { // the keep forms
        if (fSp <= fArgBase)
            return false;
        int32_t& top = fStack[fSp - 1];
        *x = form == kFormStoreKeep ? top : Arith(form - kFormAddKeep, *x, top);
        top = *x;
        return true;
    }
    if (form == kFormIncPush) {
        *x = LayoutMath::Add(*x, in.imm);
        return Push(*x);
    }
    if (form < kFormInc) { // the store forms
        if (!Pop(v))
            return false;
        *x = form == kFormStore ? v : Arith(form - kFormStore - 1, *x, v);
        return true;
    }
    if (form == kFormInc) {
        *x = LayoutMath::Add(*x, in.imm);
        return true;
    }
    if (form == kFormPushInc) {
        const int32_t old = *x;
        *x = LayoutMath::Add(*x, in.imm);
        return Push(old);
    }
    if (form >= kFormCount || fSp <= fArgBase)
        return false;
    int32_t& top = fStack[fSp - 1];
    top = Arith(form - kFormTopPlus, top, *x);
    return true;
}

// An element operation: base and index lie on the stack and are never stored back.
bool LScript::ElementOp(const LScriptInstr& in)
{
    const uint8_t form = in.form;
    const bool takesValue = (form >= kFormStoreKeep && form < kFormIncPush) || (form >= kFormStore && form < kFormInc);
    const bool takesBelow = form >= kFormTopPlus && form < kFormCount;
    const size_t needed = 2u + (takesValue || takesBelow ? 1u : 0u);
    if (fSp - fArgBase < needed || form >= kFormCount)
        return false;
    int32_t* const top = &fStack[fSp - 1];
    if (takesValue) {
        const int32_t base = top[-2];
        const int32_t v = top[0];
        fSp -= 3;
        if (form >= kFormStore)
            return true; // store forms leave nothing
        return Push(form == kFormStoreKeep ? v : Arith(form - kFormAddKeep, base, v));
    }
    if (takesBelow) {
        const int32_t base = top[-1];
        fSp -= 2;
        fStack[fSp - 1] = Arith(form - kFormTopPlus, fStack[fSp - 1], base);
        return true;
    }
    const int32_t base = top[-1];
    fSp -= 2;
    if (form == kFormInc)
        return true;
    return Push(form == kFormIncPush || form == kFormPushInc ? LayoutMath::Add(base, in.imm) : base);
}

// ---- Built-ins ----

int32_t LScript::BuiltinMin(const int32_t* args, uint32_t count)
{
    return count == 0 ? 0 : *std::min_element(args, args + count);
}

int32_t LScript::BuiltinMax(const int32_t* args, uint32_t count)
{
    return count == 0 ? 0 : *std::max_element(args, args + count);
}

int32_t LScript::BuiltinAbs(const int32_t* args, uint32_t count)
{
    if (count == 0)
        return 0;
    return args[0] < 0 ? LayoutMath::Neg(args[0]) : args[0];
}

int32_t LScript::BuiltinArrayLength(const int32_t*, uint32_t)
{
    return 0;
}
