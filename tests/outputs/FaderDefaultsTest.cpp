#include "outputs/faders/FaderDefaults.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A support folder of the test's own whose definition files the test writes.
class FaderDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fRoot = std::filesystem::path(std::getenv("TMPDIR")) / "fader-defaults";
        std::filesystem::create_directories(fRoot / "faders");
        setenv("SONALYX_SUPPORT_DIR", fRoot.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("SONALYX_SUPPORT_DIR");
        std::filesystem::remove_all(fRoot);
    }
    void Write(const char* name, const std::string& text)
    {
        std::ofstream(fRoot / "faders" / name) << text;
    }

    std::filesystem::path fRoot;
};

} // namespace

TEST_F(FaderDefaultsTest, ConsoleControlsKeepProgramAndControllerIdsOnly)
{
    Write("midiconsole", "sonalyx: { controls: "
                         "{ type: index; id: index }, "
                         "{ id: p; ini: 5 }, "
                         "{ id: 0x0B; ini: 0x7F }, "
                         "{ id: 010; ini: 3 }, "
                         "{ id: 128; ini: 1 }, "
                         "{ id: x7; ini: 1 }, "
                         "{ name: \"no id\" }, "
                         "{ id: 7 } }");
    // A leading 0 reads as octal; no "ini" reads as "0".
    std::vector<std::string> controls;
    for (const CConsoleControl& c : LoadConsoleControls())
        controls.push_back(c.id + " " + std::to_string(c.controller) + "=" + std::to_string(c.value));
    const std::string program = std::to_string(CConsoleControl::kProgramChange);
    EXPECT_EQ(controls, (std::vector<std::string>{"p " + program + "=5", "0x0B 11=127", "010 8=3", "7 7=0"}));
}

TEST_F(FaderDefaultsTest, DefaultsComeFromEachKindsFileAndBrokenFilesGiveNone)
{
    Write("dmx", "sonalyx: { controls: { id: dch; ini: 12 } }");
    Write("snd", "sonalyx: { controls: { id: svl; ini: 50; scale: 100 } }");
    Write("osc", "sonalyx: { controls: { id: opt; ini: 0.5 } }");  // unquoted 0.5: parse error
    const auto defaults = LoadFaderDefaults();
    ASSERT_NE(FindFaderDefault(defaults, 1, "dch"), nullptr);
    EXPECT_EQ(*FindFaderDefault(defaults, 1, "dch"), "12");
    EXPECT_EQ(*FindFaderDefault(defaults, 3, "svl"), "0.5");
    EXPECT_EQ(FindFaderDefault(defaults, 2, "dch"), nullptr);  // no "dmx2" file
    EXPECT_EQ(FindFaderDefault(defaults, 9, "opt"), nullptr);
    EXPECT_TRUE(LoadConsoleControls().empty());
}
