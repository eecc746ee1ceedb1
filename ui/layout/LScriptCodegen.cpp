// Names, functions, calls and the instructions the layout script compiler writes.
#include "ui/layout/LScript.h"

namespace {

enum : uint32_t { kTokEnd = 0 };

struct StackEffect {
    uint32_t pops;
    uint32_t pushes;
};

StackEffect VarEffect(LScriptVarKind kind, uint8_t form)
{
    const uint32_t extra = kind == LScriptVarKind::Element ? 2 : 0; // base and index
    if (form <= kFormLoad || form == kFormIncPush || form == kFormPushInc)
        return {extra, 1};
    if (form < kFormIncPush || form >= kFormTopPlus)
        return {extra + 1, 1};
    if (form == kFormInc)
        return {extra, 0};
    return {extra + 1, 0}; // the store forms
}

StackEffect EffectOf(const LScriptInstr& in)
{
    switch (in.op) {
    case LScriptOp::Var: return VarEffect(in.kind, in.form);
    case LScriptOp::PushConst: case LScriptOp::ArgCount: return {0, 1};
    case LScriptOp::Drop: case LScriptOp::JumpIfFalse: return {1, 0};
    case LScriptOp::Not: case LScriptOp::Negate: case LScriptOp::ArgAt: return {1, 1};
    case LScriptOp::Call: return {static_cast<uint32_t>(in.imm), 1};
    case LScriptOp::Builtin: return {in.operand, 1};
    case LScriptOp::End: case LScriptOp::Jump: case LScriptOp::Join: return {0, 0};
    default: return {2, 1}; // arithmetic and comparisons
    }
}

} // namespace

// ---- Names and functions ----

void LScript::Variable(const std::string& name)
{
    const int64_t global = fProgram->globals.Find(name);
    if (global >= 0) {
        Emit(LScriptInstr::MakeVar(LScriptVarKind::Global, kFormRef, static_cast<uint32_t>(global)));
        return;
    }
    if (fAtTopLevel) {
        fProgram->globals.Add(name, fGlobalCount);
        Emit(LScriptInstr::MakeVar(LScriptVarKind::Global, kFormRef, fGlobalCount++));
        return;
    }
    int64_t local = fNames->Find(name);
    if (local < 0) {
        local = fVarCount++;
        fNames->Add(name, static_cast<uint32_t>(local));
    }
    Emit(LScriptInstr::MakeVar(LScriptVarKind::Local, kFormRef, static_cast<uint32_t>(local)));
}

void LScript::FunctionDefinition(const std::string& name)
{
    auto func = std::make_unique<LScriptFunc>();
    func->name = name;

    // The body gets its own code, depth count and local names; globals stay visible.
    LScriptFunc* const outerFunc = fFunc;
    const uint32_t outerDepth = fDepth;
    const uint32_t outerMax = fMaxDepth;
    const uint32_t outerCount = fVarCount;
    LScriptNames* const outerNames = fNames;
    const bool outerTop = fAtTopLevel;
    LScriptNames locals;

    fFunc = func.get();
    fDepth = fMaxDepth = 0;
    fVarCount = 0;
    fNames = &locals;
    fAtTopLevel = false;
    Assignment();
    Emit(LScriptInstr{});
    func->maxDepth = fMaxDepth;
    func->localCount = fVarCount;

    fFunc = outerFunc;
    fDepth = outerDepth;
    fMaxDepth = outerMax;
    fVarCount = outerCount;
    fNames = outerNames;
    fAtTopLevel = outerTop;
    fProgram->functions.push_back(std::move(func));
    EmitConst(0);
}

void LScript::CallPrimary(const std::string& name)
{
    uint32_t count = 0;
    if (fToken == ')') {
        Next();
    } else {
        for (;;) {
            Assignment();
            ++count;
            if (fToken == ',') {
                Next();
                continue;
            }
            if (fToken == ')')
                Next();
            else
                Raise(fToken == kTokEnd ? kErrEOF : kErrArgList);
            break;
        }
    }

    if (const LScriptFunc* func = fProgram->Find(name); func && func != fProgram->topLevel.get()) {
        LScriptInstr in = LScriptInstr::Make(LScriptOp::Call, static_cast<int32_t>(count));
        in.func = func;
        fMaxDepth = std::max(fMaxDepth, fDepth + func->maxDepth);
        Emit(in);
        return;
    }
    for (auto it = fBuiltins.rbegin(); it != fBuiltins.rend(); ++it) {
        if (it->name != name)
            continue;
        if (count < it->minArgs || count > it->maxArgs)
            Raise(kErrNumArgs);
        LScriptInstr in = LScriptInstr::Make(LScriptOp::Builtin);
        in.operand = count;
        in.builtin = it->routine;
        Emit(in);
        return;
    }
    Raise(kErrNoMethod);
}

// ---- Instructions ----

size_t LScript::Emit(const LScriptInstr& instr)
{
    const StackEffect effect = EffectOf(instr);
    if (fDepth < effect.pops) {
        Raise(kErrStack);
        fDepth = 0;
    } else {
        fDepth -= effect.pops;
    }
    fDepth += effect.pushes;
    fMaxDepth = std::max(fMaxDepth, fDepth);
    fFunc->code.push_back(instr);
    return fFunc->code.size() - 1;
}

void LScript::EmitOp(LScriptOp op)
{
    Emit(LScriptInstr::Make(op));
}

void LScript::EmitConst(int32_t value)
{
    Emit(LScriptInstr::Make(LScriptOp::PushConst, value));
}

void LScript::RemoveLast()
{
    if (fFunc->code.empty())
        return;
    const StackEffect effect = EffectOf(fFunc->code.back());
    fDepth = fDepth >= effect.pushes ? fDepth - effect.pushes + effect.pops : effect.pops;
    fFunc->code.pop_back();
}

void LScript::ReplaceLast(const LScriptInstr& instr)
{
    RemoveLast();
    Emit(instr);
}

bool LScript::LastIsReference() const
{
    return !fFunc->code.empty() && fFunc->code.back().op == LScriptOp::Var && fFunc->code.back().form == kFormRef;
}

// A right operand that is a lone variable reference fuses with the operator.
void LScript::FusedBinary(LScriptOp op, uint8_t fusedForm)
{
    if (!LastIsReference()) {
        EmitOp(op);
        return;
    }
    LScriptInstr in = fFunc->code.back();
    in.form = fusedForm;
    ReplaceLast(in);
}

// Drops the value of a statement, rewriting the last instruction into a form that pushes
// nothing when it can.
void LScript::Discard()
{
    if (!fFunc->code.empty()) {
        LScriptInstr in = fFunc->code.back();
        if (in.op == LScriptOp::PushConst ||
            (in.op == LScriptOp::Var && in.kind != LScriptVarKind::Element && in.form <= kFormLoad)) {
            RemoveLast();
            return;
        }
        if (in.op == LScriptOp::Var && in.form >= kFormStoreKeep && in.form <= kFormIncPush) {
            in.form = static_cast<uint8_t>(in.form + (kFormStore - kFormStoreKeep));
            ReplaceLast(in);
            return;
        }
        if (in.op == LScriptOp::Var && in.form == kFormPushInc) {
            in.form = kFormInc;
            ReplaceLast(in);
            return;
        }
    }
    EmitOp(LScriptOp::Drop);
}

void LScript::PatchJump(size_t at)
{
    std::vector<LScriptInstr>& code = fFunc->code;
    if (at < code.size())
        code[at].operand = static_cast<uint32_t>(static_cast<int64_t>(code.size()) - static_cast<int64_t>(at));
}
