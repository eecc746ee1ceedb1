#pragma once
#include "ui/layout/LScriptFunc.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class LScriptSource;

// The compiled layout script engine: compiles a whole text once into instructions for a small
// stack machine of 32-bit integers, then runs its functions by name. The text is
// user-editable: compilation of any byte string ends in bounded time, and the machine checks
// its stack, caps call depth, calls, loop passes and the instructions of a run, so that no
// script can crash or hang.
class LScript {
public:
    enum Error : uint32_t {
        kNoError = 0, kErrMemory = 1, kErrStack = 2, kErrEOF = 3, kErrPrim = 4, kErrClose = 5,
        kErrArgList = 6, kErrNumArgs = 7, kErrNoMethod = 8, kErrNoLvalue = 9, kErrMember = 10,
        kErrSteps = 11,  // a run took more than kMaxSteps instructions
    };
    static constexpr int kMaxCallDepth = 64;        // a deeper call gives 0
    static constexpr int kMaxNesting = 256;         // deeper expressions are error 2
    static constexpr uint32_t kMaxLoopPasses = 100000;
    static constexpr uint32_t kMaxCalls = 400000;   // calls in one external Call
    static constexpr uint32_t kMaxSteps = 5000000;  // instructions run in one external Call
    static constexpr size_t kMaxNameLength = 4096;

    LScript();
    virtual ~LScript();
    LScript(const LScript&) = delete;
    LScript& operator=(const LScript&) = delete;

    // Compiles a whole source; only the first error is kept. Returns whether it compiled cleanly.
    bool Compile(LScriptSource& source);
    // Runs the newest function of that name (null: the top level) with the given arguments.
    // Fails, leaving result untouched, when the last compilation failed or none was made, when
    // there is no such function, or when the run broke the machine's bounds.
    bool Call(const char* name, uint32_t count, const int32_t* args, int32_t& result);

    // The compilation's first error; after a clean one, the last run's (kErrSteps or none).
    uint32_t ErrorCode() const { return fError != kNoError ? fError : fRunError; }
    static const char* ErrorName(uint32_t code);

protected:
    // Registers the built-ins before each compilation.
    virtual void RegisterBuiltins();
    // Called after each compilation; nothing to do here.
    virtual void AfterCompile() {}
    void AddBuiltin(std::string_view name, LScriptBuiltin routine, uint8_t minArgs, uint8_t maxArgs);

private:
    struct BuiltinEntry {
        std::string name;
        LScriptBuiltin routine;
        uint8_t minArgs;
        uint8_t maxArgs;
    };

    // Lexer
    void Next();
    uint32_t ScanToken();
    void ScanName(uint8_t first);
    void ScanNumber(uint8_t first);
    void ScanString();
    bool SkipComment();
    uint32_t WithEquals(uint8_t c);

    // Grammar
    void TopLevel();
    void Assignment();
    void Conditional();
    void Or();
    void And();
    void Equality();
    void Relational();
    void Additive();
    void Multiplicative();
    void Unary();
    void Postfix();
    void Primary();
    void NamePrimary();
    void Sequence();
    void Loop();
    void FunctionDefinition(const std::string& name);
    void CallPrimary(const std::string& name);
    void Variable(const std::string& name);

    // Code generation
    size_t Emit(const LScriptInstr& instr);
    void EmitOp(LScriptOp op);
    void EmitConst(int32_t value);
    void RemoveLast();
    void ReplaceLast(const LScriptInstr& instr);
    bool LastIsReference() const;
    void FusedBinary(LScriptOp op, uint8_t fusedForm);
    void Discard();
    void PatchJump(size_t at);
    void Raise(uint32_t code);

    // Machine
    bool Execute(const LScriptFunc& func);
    bool RunCall(const LScriptFunc& func, uint32_t count);
    bool VarOp(const LScriptInstr& in);
    bool ElementOp(const LScriptInstr& in);
    bool Push(int32_t value);
    bool Pop(int32_t& value);
    bool Binary(LScriptOp op);

    // Built-ins of every script
    int32_t BuiltinMin(const int32_t* args, uint32_t count);
    int32_t BuiltinMax(const int32_t* args, uint32_t count);
    int32_t BuiltinAbs(const int32_t* args, uint32_t count);
    int32_t BuiltinArrayLength(const int32_t* args, uint32_t count);

    // Compiler state
    uint32_t fToken = 0;
    int32_t fNumber = 0;
    std::string fName;
    uint32_t fError = kErrEOF;
    LScriptSource* fSource = nullptr;
    LScriptFunc* fFunc = nullptr;
    uint32_t fDepth = 0;
    uint32_t fMaxDepth = 0;
    uint32_t fVarCount = 0;         // locals of the function being compiled
    uint32_t fGlobalCount = 0;
    LScriptNames* fNames = nullptr; // locals of the function being compiled; null at the top level
    bool fAtTopLevel = true;
    int fNesting = 0;
    std::vector<BuiltinEntry> fBuiltins;

    // Machine state
    std::vector<int32_t> fStack;
    size_t fSp = 0;                 // values in use; the stack grows upward here
    size_t fArgBase = 0;            // one past the current call's last argument
    uint32_t fArgCount = 0;
    int32_t* fLocals = nullptr;
    uint32_t fLocalCount = 0;
    std::vector<int32_t> fGlobals;
    int fCallDepth = 0;
    uint32_t fCalls = 0;
    uint32_t fLoopPasses = 0;
    uint32_t fSteps = 0;
    uint32_t fRunError = kNoError;
    std::unique_ptr<LScriptProgram> fProgram;
};
