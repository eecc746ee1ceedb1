// The grammar and code generation of the layout script language.
#include "ui/layout/LScript.h"
#include "ui/layout/LScriptSource.h"
#include "ui/layout/LayoutDepthGuard.h"

#include <new>

namespace {

enum : uint32_t {
    kTokEnd = 0, kTokName = 1, kTokNumber = 2, kTokArgCount = 3,
    kTokNotEqual = '!' + 128, kTokLessEqual = '<' + 128, kTokEqual = '=' + 128, kTokGreaterEqual = '>' + 128,
    kTokMulAssign = '*' + 128, kTokAddAssign = '+' + 128, kTokSubAssign = '-' + 128, kTokDivAssign = '/' + 128,
    kTokIncrement = '+' + 160, kTokDecrement = '-' + 160,
};

} // namespace

const char* LScript::ErrorName(uint32_t code)
{
    static const char* const kNames[] = {"", "Memory", "Stack", "EOF", "Prim", "Close",
                                         "ArgList", "NumArgs", "NoMethod", "NoLvalue", "Member", "Steps"};
    return code < sizeof kNames / sizeof kNames[0] ? kNames[code] : "";
}

void LScript::Raise(uint32_t code)
{
    if (fError == kNoError)
        fError = code;
    if (fSource)
        fSource->SetError(ErrorName(code));
}

bool LScript::Compile(LScriptSource& source)
{
    fProgram = std::make_unique<LScriptProgram>();
    fError = kNoError;
    fRunError = kNoError;
    fSource = &source;
    fProgram->topLevel = std::make_unique<LScriptFunc>();
    fFunc = fProgram->topLevel.get();
    fNames = nullptr;
    fVarCount = 0;
    fGlobalCount = 0;
    fAtTopLevel = true;
    fDepth = fMaxDepth = 0;
    fNesting = 0;

    fBuiltins.clear();
    RegisterBuiltins();
    Next();
    TopLevel();
    Emit(LScriptInstr{});
    fFunc->maxDepth = fMaxDepth;
    fBuiltins.clear();
    AfterCompile();

    try {
        fStack.assign(fMaxDepth + 1, 0);
        fGlobals.assign(fGlobalCount, 0);
    } catch (const std::bad_alloc&) {
        Raise(kErrMemory);
    }
    fSource = nullptr;
    fFunc = nullptr;
    return fError == kNoError;
}

void LScript::AddBuiltin(std::string_view name, LScriptBuiltin routine, uint8_t minArgs, uint8_t maxArgs)
{
    fBuiltins.push_back(BuiltinEntry{std::string(name), routine, minArgs, maxArgs});
}

// ---- Grammar ----

void LScript::TopLevel()
{
    while (fToken != kTokEnd) {
        Assignment();
        if (fToken == ';')
            Discard();
        Next(); // the separator, or whatever the statement left unread
    }
}

void LScript::Assignment()
{
    if (fNesting >= kMaxNesting) {
        Raise(kErrStack);
        return;
    }
    LayoutDepthGuard nesting(fNesting);
    Conditional();
    uint8_t keepForm = 0;
    switch (fToken) {
    case '=': keepForm = kFormStoreKeep; break;
    case kTokAddAssign: keepForm = kFormAddKeep; break;
    case kTokSubAssign: keepForm = kFormAddKeep + 1; break;
    case kTokMulAssign: keepForm = kFormAddKeep + 2; break;
    case kTokDivAssign: keepForm = kFormAddKeep + 3; break;
    default: return;
    }
    Next();
    if (!LastIsReference()) {
        Raise(kErrNoLvalue);
        Assignment();
        return;
    }
    LScriptInstr target = fFunc->code.back();
    RemoveLast();
    Assignment();
    target.form = keepForm;
    Emit(target);
}

void LScript::Conditional()
{
    Or();
    if (fToken != '?')
        return;
    Next();
    const size_t toElse = Emit(LScriptInstr::Make(LScriptOp::JumpIfFalse));
    const uint32_t depth = fDepth;
    Assignment();
    const size_t toEnd = Emit(LScriptInstr::Make(LScriptOp::Jump));
    fDepth = depth;
    PatchJump(toElse);
    if (fToken == ':') {
        Next();
        Conditional();
    } else {
        EmitConst(0);
    }
    PatchJump(toEnd);
    EmitOp(LScriptOp::Join);
}

void LScript::Or()
{
    And();
    if (fToken != '|')
        return;
    Next();
    const size_t toRight = Emit(LScriptInstr::Make(LScriptOp::JumpIfFalse));
    const uint32_t depth = fDepth;
    EmitConst(1);
    const size_t toEnd = Emit(LScriptInstr::Make(LScriptOp::Jump));
    fDepth = depth;
    PatchJump(toRight);
    Or();
    PatchJump(toEnd);
    EmitOp(LScriptOp::Join);
}

void LScript::And()
{
    Equality();
    if (fToken != '&')
        return;
    Next();
    const size_t toFalse = Emit(LScriptInstr::Make(LScriptOp::JumpIfFalse));
    const uint32_t depth = fDepth;
    And();
    const size_t toEnd = Emit(LScriptInstr::Make(LScriptOp::Jump));
    fDepth = depth;
    PatchJump(toFalse);
    EmitConst(0);
    PatchJump(toEnd);
    EmitOp(LScriptOp::Join);
}

void LScript::Equality()
{
    Relational();
    while (fToken == kTokEqual || fToken == kTokNotEqual || fToken == '^') {
        const LScriptOp op = fToken == kTokEqual ? LScriptOp::Equal : LScriptOp::NotEqual;
        Next();
        Relational();
        EmitOp(op);
    }
}

void LScript::Relational()
{
    Additive();
    for (;;) {
        LScriptOp op;
        switch (fToken) {
        case '<': op = LScriptOp::Less; break;
        case '>': op = LScriptOp::Greater; break;
        case kTokLessEqual: op = LScriptOp::LessEqual; break;
        case kTokGreaterEqual: op = LScriptOp::GreaterEqual; break;
        default: return;
        }
        Next();
        Additive();
        EmitOp(op);
    }
}

void LScript::Additive()
{
    Multiplicative();
    while (fToken == '+' || fToken == '-') {
        const bool add = fToken == '+';
        Next();
        Multiplicative();
        FusedBinary(add ? LScriptOp::Add : LScriptOp::Sub, add ? kFormTopPlus : kFormTopPlus + 1);
    }
}

void LScript::Multiplicative()
{
    Unary();
    while (fToken == '*' || fToken == '/') {
        const bool mul = fToken == '*';
        Next();
        Unary();
        FusedBinary(mul ? LScriptOp::Mul : LScriptOp::Div, mul ? kFormTopPlus + 2 : kFormTopPlus + 3);
    }
}

void LScript::Unary()
{
    if (fNesting >= kMaxNesting) {
        Raise(kErrStack);
        return;
    }
    LayoutDepthGuard nesting(fNesting);
    switch (fToken) {
    case '-':
        Next();
        if (fToken == '-') { // two signs cancel
            Next();
            Unary();
        } else if (fToken == kTokNumber) {
            EmitConst(static_cast<int32_t>(0u - static_cast<uint32_t>(fNumber)));
            Next();
        } else {
            Unary();
            EmitOp(LScriptOp::Negate);
        }
        return;
    case '+':
        Next();
        Unary();
        return;
    case '!':
        Next();
        Unary();
        EmitOp(LScriptOp::Not);
        return;
    case kTokIncrement:
    case kTokDecrement: {
        const int32_t step = fToken == kTokIncrement ? 1 : -1;
        Next();
        Unary();
        if (!LastIsReference()) {
            Raise(kErrNoLvalue);
            return;
        }
        LScriptInstr in = fFunc->code.back();
        in.form = kFormIncPush;
        in.imm = step;
        ReplaceLast(in);
        return;
    }
    default:
        Postfix();
    }
}

void LScript::Postfix()
{
    Primary();
    for (;;) {
        const uint32_t token = fToken;
        if (token != kTokIncrement && token != kTokDecrement && token != '[' && token != '.')
            return;
        Next();
        if (!LastIsReference()) {
            Raise(kErrNoLvalue);
            return;
        }
        LScriptInstr base = fFunc->code.back();
        if (token == kTokIncrement || token == kTokDecrement) {
            base.form = kFormPushInc;
            base.imm = token == kTokIncrement ? 1 : -1;
            ReplaceLast(base);
            continue;
        }
        base.form = kFormLoad;
        ReplaceLast(base);
        if (token == '[') {
            Assignment();
            if (fToken != ']') {
                Raise(kErrClose);
                return;
            }
        } else {
            if (fToken != kTokName) {
                Raise(kErrMember);
                return;
            }
            EmitConst(static_cast<int32_t>(fProgram->MemberIndex(fName)));
        }
        Next();
        Emit(LScriptInstr::MakeVar(LScriptVarKind::Element, kFormRef, 0));
    }
}

void LScript::Primary()
{
    switch (fToken) {
    case kTokName:
        NamePrimary();
        return;
    case kTokNumber:
        EmitConst(fNumber);
        Next();
        return;
    case kTokArgCount:
        EmitOp(LScriptOp::ArgCount);
        Next();
        return;
    case '$':
        Next();
        if (fNesting >= kMaxNesting) {
            Raise(kErrStack);
            return;
        }
        {
            LayoutDepthGuard nesting(fNesting);
            Primary();
        }
        EmitOp(LScriptOp::ArgAt);
        return;
    case '(':
        Next();
        Sequence();
        return;
    case '@':
        Next();
        Loop();
        return;
    default:
        Raise(kErrPrim);
    }
}

void LScript::NamePrimary()
{
    const std::string name = fName;
    Next();
    if (fToken == '#') {
        Next();
        FunctionDefinition(name);
    } else if (fToken == '(') {
        Next();
        CallPrimary(name);
    } else {
        Variable(name);
    }
}

void LScript::Sequence()
{
    if (fToken == ')') {
        EmitConst(0);
        Next();
        return;
    }
    for (;;) {
        Assignment();
        if (fToken == ';') {
            Discard();
            Next();
            if (fToken == ')') {
                EmitConst(0);
                Next();
                return;
            }
            continue;
        }
        if (fToken == ')') {
            Next();
            return;
        }
        Raise(fToken == kTokEnd ? kErrEOF : kErrClose);
        return;
    }
}

void LScript::Loop()
{
    const size_t conditionStart = fFunc->code.size();
    Assignment();
    const size_t toEnd = Emit(LScriptInstr::Make(LScriptOp::JumpIfFalse));
    Assignment();
    Discard();
    LScriptInstr back = LScriptInstr::Make(LScriptOp::Jump);
    back.operand = static_cast<uint32_t>(static_cast<int64_t>(conditionStart) - static_cast<int64_t>(fFunc->code.size()));
    Emit(back);
    PatchJump(toEnd);
    EmitOp(LScriptOp::Join);
    EmitConst(0);
}
