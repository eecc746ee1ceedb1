// Test main: every test process gets its own temporary home so that no test touches the real one.
#include "tests/support/StuckTestGuard.h"
#include "tests/support/TempHome.h"

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    testing::InitGoogleMock(&argc, argv);
    StuckTestGuard::InstallFromEnvironment();
    TempHome home;
    return RUN_ALL_TESTS();
}
