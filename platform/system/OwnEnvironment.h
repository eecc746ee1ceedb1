#pragma once
#include <string>
#include <vector>

namespace plat {

// Environment variables the program sets for the libraries it loads, which the programs it
// starts (the address opener, a browser) must not inherit.
class OwnEnvironment {
public:
    // Sets `name` to `value` unless the user set it; the programs started later get the user's
    // environment without it. Only while the process has one thread (a constructor function):
    // changing the environment races with every reader on other threads.
    static void Set(const char* name, const char* value);
    // The environment for a started program, as "NAME=value" texts.
    static std::vector<std::string> ForChildren();
};

} // namespace plat
