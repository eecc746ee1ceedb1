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
