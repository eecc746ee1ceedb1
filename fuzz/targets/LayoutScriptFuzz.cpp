// The compiled layout scripts: any text compiles in bounded time, and its top level and its
// functions run within the machine's bounds or fail with an error code.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "ui/layout/LScript.h"
#include "ui/layout/LScriptSource.h"

#include <string_view>

int FuzzLayoutScript(const uint8_t* data, size_t size)
{
    LScript script;
    LScriptSource source(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!script.Compile(source)) {
        FuzzCheck(script.ErrorCode() != LScript::kNoError, "a failed compilation names its error");
        return 0;
    }
    const int32_t args[3] = {7, -1, 100};
    int32_t result = 0;
    for (const char* name : {static_cast<const char*>(nullptr), "PREF", "LAYO", "PREFH", "f"}) {
        if (!script.Call(name, 3, args, result))
            continue;
        FuzzCheck(script.ErrorCode() == LScript::kNoError, "a run that succeeds reports no error");
    }
    return 0;
}
