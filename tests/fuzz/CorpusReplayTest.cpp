// Every seed and every finding of every fuzz target goes through the target's entry point,
// so the suite guards them without libFuzzer. A broken promise of a target fails its test.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

void FuzzCheck(bool ok, const char* promise)
{
    if (!ok)
        ADD_FAILURE() << "broken promise: " << promise;
}

namespace {

fs::path FuzzFolder()
{
    const std::string file = __FILE__;
    return fs::path(file.substr(0, file.rfind("/tests/"))) / "fuzz";
}

std::vector<fs::path> FilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    if (fs::is_directory(folder)) {
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class CorpusReplay : public testing::TestWithParam<FuzzTarget> {};

TEST_P(CorpusReplay, SeedsAndFindingsKeepTheTargetsPromises)
{
    const FuzzTarget& target = GetParam();
    const std::vector<fs::path> seeds = FilesIn(FuzzFolder() / "corpus" / target.name);
    EXPECT_FALSE(seeds.empty()) << "every target has seeds";
    std::vector<fs::path> inputs = seeds;
    const std::vector<fs::path> findings = FilesIn(FuzzFolder() / "findings" / target.name);
    inputs.insert(inputs.end(), findings.begin(), findings.end());
    for (const fs::path& path : inputs) {
        SCOPED_TRACE(path.string());
        const std::vector<uint8_t> bytes = Bytes(path);
        EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, testing::ValuesIn(FuzzTargets().begin(), FuzzTargets().end()),
                         [](const testing::TestParamInfo<FuzzTarget>& info) { return std::string(info.param.name); });

} // namespace
