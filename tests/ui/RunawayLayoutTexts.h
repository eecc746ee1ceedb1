#pragma once
#include <string>

// Short layout texts that would run for seconds without a step budget: a body of 200
// assignments called 74 x 74 x 74 times through three levels of calls.
inline std::string RunawayLayoutText(bool script)
{
    auto repeat = [](const std::string& piece, int times) {
        std::string out;
        for (int i = 0; i < times; ++i)
            out += piece;
        return out;
    };
    // The formula language ends a body at '#'; the script language takes one expression.
    auto define = [script](const std::string& name, const std::string& body) {
        return script ? name + "#(" + body + "0);" : name + "#" + body + "#;";
    };
    return define("b", repeat("x=1;", 200)) + define("c", repeat("b();", 74)) + define("d", repeat("c();", 74))
        + define("e", repeat("d();", 74)) + "e()";
}
