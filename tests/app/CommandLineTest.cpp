#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLine Parse(std::vector<std::string> args)
{
    args.insert(args.begin(), "sonalyx");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return ParseCommandLine(int(args.size()), argv.data());
}

TEST(CommandLine, OptionsBeforeTheDoubleDashOnly)
{
    const std::tuple<std::vector<std::string>, CommandLineRequest, const char*> rows[] = {
        {{}, CommandLineRequest::Run, ""},
        {{"a.snx", "b.tks"}, CommandLineRequest::Run, ""},
        {{"--help"}, CommandLineRequest::Help, ""},
        {{"a.snx", "-h"}, CommandLineRequest::Help, ""},
        {{"--version"}, CommandLineRequest::Version, ""},
        {{"-x.snx"}, CommandLineRequest::Invalid, "-x.snx"},
        {{"--", "-x.snx", "--help"}, CommandLineRequest::Run, ""},
        {{"-"}, CommandLineRequest::Run, ""},
        {{"--verbose", "--help"}, CommandLineRequest::Invalid, "--verbose"},
    };
    for (const auto& [args, request, bad] : rows) {
        const CommandLine line = Parse(args);
        EXPECT_EQ(line.request, request) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(line.badOption, bad);
    }
}

TEST(CommandLine, NoDisplayIsOneLineThatSaysHowToRunUnderXvfb)
{
    const std::string text = NoDisplayText("DISPLAY is not set");
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.find("X display"), std::string::npos);
    EXPECT_NE(text.find("xvfb-run sonalyx"), std::string::npos);
}

} // namespace

// Whether `word` stands in `text` as a whole name: after a blank, before a blank, comma or '='.
static bool ListsWord(const std::string& text, const std::string& word)
{
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const size_t end = at + word.size();
        if (at > 0 && text[at - 1] == ' ' && end < text.size() && (text[end] == ' ' || text[end] == ',' || text[end] == '='))
            return true;
    }
    return false;
}

// Every setting the program reads from its environment is listed by --help.
TEST(CommandLine, HelpListsEveryEnvironmentSetting)
{
    const std::string usage = UsageText();
    for (const char* name : {"DISPLAY", "SONALYX_HEADLESS", "SONALYX_RESOURCE_FILE", "SONALYX_SUPPORT_DIR",
             "SONALYX_SERIAL_PORTS", "SONALYX_SOUND_INPUT", "SONALYX_SYSFS_ROOT", "SONALYX_TEST_CONTROLS_FILE", "HOME", "USER", "XDG_CONFIG_HOME",
             "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR", "XDG_MUSIC_DIR", "XDG_RUNTIME_DIR", "TMPDIR",
             "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "PATH"})
        EXPECT_TRUE(ListsWord(usage, name)) << name;
}
