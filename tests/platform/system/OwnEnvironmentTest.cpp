#include "platform/system/OwnEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

bool Inherits(const std::string& entry)
{
    const std::vector<std::string> entries = plat::OwnEnvironment::ForChildren();
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

bool InheritsName(const std::string& name)
{
    const std::vector<std::string> entries = plat::OwnEnvironment::ForChildren();
    return std::any_of(entries.begin(), entries.end(),
                       [&](const std::string& e) { return e.compare(0, name.size() + 1, name + "=") == 0; });
}

} // namespace

// What the program sets for itself reaches its own libraries but not the programs it starts;
// what the user set stays as the user set it, also for a name that merely begins like one of
// the program's.
TEST(OwnEnvironment, ChildrenGetTheUsersEnvironmentWithoutTheProgramsOwnVariables)
{
    setenv("SONALYX_TEST_USERS", "kept", 1);
    setenv("SONALYX_TEST_OWN_LONGER", "also kept", 1);
    unsetenv("SONALYX_TEST_OWN");
    plat::OwnEnvironment::Set("SONALYX_TEST_USERS", "replaced");
    plat::OwnEnvironment::Set("SONALYX_TEST_OWN", "1");
    EXPECT_STREQ(std::getenv("SONALYX_TEST_USERS"), "kept");
    EXPECT_STREQ(std::getenv("SONALYX_TEST_OWN"), "1");
    EXPECT_TRUE(Inherits("SONALYX_TEST_USERS=kept"));
    EXPECT_TRUE(Inherits("SONALYX_TEST_OWN_LONGER=also kept"));
    EXPECT_FALSE(InheritsName("SONALYX_TEST_OWN"));
    EXPECT_TRUE(InheritsName("PATH"));
    unsetenv("SONALYX_TEST_USERS");
    unsetenv("SONALYX_TEST_OWN_LONGER");
}
