#pragma once
#include <cstdlib>
#include <gtest/gtest.h>

// A fixture that starts and ends each test with none of the locale variables set.
class LocaleEnvironmentTest : public testing::Test {
protected:
    void SetUp() override { ClearLocale(); }
    void TearDown() override { ClearLocale(); }
    static void ClearLocale()
    {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            unsetenv(name);
    }
};
