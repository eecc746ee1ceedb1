#include "platform/resources/ResourceFile.h"
#include "platform/resources/ResourceSources.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t Code(const char (&c)[5])
{
    return uint32_t(uint8_t(c[0])) << 24 | uint32_t(uint8_t(c[1])) << 16 | uint32_t(uint8_t(c[2])) << 8 | uint8_t(c[3]);
}

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> PackTwo()
{
    std::vector<plat::ResourceEntry> entries = {
        {Code("TTXT"), 130, "VS_TRAIL", Bytes("void main() {}")},
        {Code("CST#"), 128, "CUNDOQ", Bytes(std::string("\0\1Undo", 6))},
    };
    std::vector<uint8_t> bytes;
    EXPECT_EQ(plat::PackResources(entries, bytes), plat::ResourceStatus::Ok);
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(ResourceFile, PacksExactBytes)
{
    std::vector<uint8_t> bytes;
    ASSERT_EQ(plat::PackResources({{Code("TTXT"), -2, "AB", Bytes("xyz")}}, bytes), plat::ResourceStatus::Ok);
    const std::vector<uint8_t> expected = {
        'S', 'N', 'X', 'R', 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0,             // header
        'T', 'T', 'X', 'T', 0xFF, 0xFF, 0xFF, 0xFE, 0, 0, 0, 40, 0, 2, 0, 0, // type, id, name
        0, 0, 0, 42, 0, 0, 0, 3,                                             // data
        'A', 'B', 'x', 'y', 'z'};
    EXPECT_EQ(bytes, expected);
}

TEST(ResourceFile, FindsByNameAndById)
{
    plat::ResourceStatus status;
    auto file = plat::ResourceFile::FromBytes(PackTwo(), &status);
    ASSERT_TRUE(file);
    EXPECT_EQ(status, plat::ResourceStatus::Ok);
    std::span<const uint8_t> data;
    ASSERT_TRUE(file->FindNamed(Code("TTXT"), "VS_TRAIL", data));
    EXPECT_EQ(std::string(data.begin(), data.end()), "void main() {}");
    ASSERT_TRUE(file->FindById(Code("CST#"), 128, data));
    EXPECT_EQ(data.size(), 6u);
    EXPECT_FALSE(file->FindNamed(Code("CST#"), "VS_TRAIL", data));
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(file->FindById(Code("TTXT"), 128, data));
    EXPECT_FALSE(file->FindNamed(Code("TTXT"), "VS_TRAI", data));
}

TEST(ResourceFile, RefusesEveryTruncation)
{
    const std::vector<uint8_t> whole = PackTwo();
    for (size_t n = 0; n < whole.size(); ++n) {
        plat::ResourceStatus status = plat::ResourceStatus::Ok;
        auto file = plat::ResourceFile::FromBytes({whole.begin(), whole.begin() + long(n)}, &status);
        EXPECT_FALSE(file) << n;
        EXPECT_EQ(status, plat::ResourceStatus::Corrupt) << n;
    }
}

TEST(ResourceFile, RefusesOffsetsPastTheEnd)
{
    std::vector<uint8_t> bytes = PackTwo();
    bytes[16 + 19] = 0xFF; // first entry's data offset low byte
    bytes[16 + 18] = 0xFF;
    plat::ResourceStatus status;
    EXPECT_FALSE(plat::ResourceFile::FromBytes(bytes, &status));
    EXPECT_EQ(status, plat::ResourceStatus::Corrupt);
    bytes = PackTwo();
    bytes[11] = 0xFF; // entry count far beyond the table
    EXPECT_FALSE(plat::ResourceFile::FromBytes(bytes, &status));
    bytes = PackTwo();
    bytes[0] = 'X';
    EXPECT_FALSE(plat::ResourceFile::FromBytes(bytes, &status));
}

TEST(ResourceFile, RefusesDuplicates)
{
    std::vector<uint8_t> bytes;
    EXPECT_EQ(plat::PackResources({{Code("TTXT"), 1, "A", {}}, {Code("TTXT"), 1, "B", {}}}, bytes),
              plat::ResourceStatus::Duplicate);
    EXPECT_EQ(plat::PackResources({{Code("TTXT"), 1, "A", {}}, {Code("TTXT"), 2, "A", {}}}, bytes),
              plat::ResourceStatus::Duplicate);
    EXPECT_EQ(plat::PackResources({{Code("TTXT"), 1, "A", {}}, {Code("TLYO"), 1, "A", {}}}, bytes),
              plat::ResourceStatus::Ok);
}

TEST(ResourceFile, CurrentFileAndReferenceNumbers)
{
    const std::string path = std::string(std::getenv("TMPDIR")) + "/test.rsrc";
    const std::vector<uint8_t> bytes = PackTwo();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));

    plat::ResourceStatus status;
    EXPECT_EQ(plat::OpenResourceFile(path + ".missing", &status), -1);
    EXPECT_EQ(status, plat::ResourceStatus::NotFound);
    const int ref = plat::OpenResourceFile(path, &status);
    ASSERT_GT(ref, 0);
    EXPECT_EQ(plat::CurrentResourceFile(), ref);
    std::span<const uint8_t> data;
    EXPECT_TRUE(plat::FindNamedResource(Code("TTXT"), "VS_TRAIL", data));
    plat::UseResourceFile(0); // the system's resources: none here
    EXPECT_FALSE(plat::FindNamedResource(Code("TTXT"), "VS_TRAIL", data));
    plat::UseResourceFile(ref);
    EXPECT_TRUE(plat::FindResourceById(Code("TTXT"), 130, data));
    plat::CloseResourceFile(ref);
    EXPECT_EQ(plat::CurrentResourceFile(), 0);
    EXPECT_FALSE(plat::FindResourceById(Code("TTXT"), 130, data));
}

TEST(ResourceSources, SplitsStringLists)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(plat::SplitStringListText(""), V{});
    EXPECT_EQ(plat::SplitStringListText("a\n@@\nb c\n"), (V{"a", "b c"}));
    EXPECT_EQ(plat::SplitStringListText("a\n@@\n@@\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(plat::SplitStringListText("x=1;\ny=2;\n@@\n"), (V{"x=1;\ny=2;", ""}));
    EXPECT_EQ(plat::SplitStringListText("@@x\n"), (V{"@@x"}));
}

TEST(ResourceSources, PacksStringListBytes)
{
    std::vector<uint8_t> out;
    ASSERT_TRUE(plat::PackStringList({"a", "bc"}, out));
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 2, 'a', 0, 'b', 'c', 0}));
    EXPECT_FALSE(plat::PackStringList({std::string("a\0b", 3)}, out));
    EXPECT_FALSE(plat::PackStringList(std::vector<std::string>(70000), out));
}

TEST(ResourceSources, ReadsFolderWithIdsAndNames)
{
    const std::filesystem::path root = std::string(std::getenv("TMPDIR")) + "/res";
    WriteFile(root / "CST#" / "CUNDOQ.list", "Undo\n@@\nRedo\n");
    WriteFile(root / "TTXT" / "B.txt", "second");
    WriteFile(root / "TTXT" / "A.txt", "first");
    WriteFile(root / "TTXT" / "C@128.txt", "taken");
    WriteFile(root / "TPNG" / "@200.png", "\x89PNG");

    std::vector<plat::ResourceEntry> entries;
    std::string error;
    ASSERT_EQ(plat::ReadResourceFolder(root.string(), entries, error), plat::ResourceStatus::Ok) << error;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(plat::PackResources(entries, bytes), plat::ResourceStatus::Ok);
    auto file = plat::ResourceFile::FromBytes(bytes, nullptr);
    ASSERT_TRUE(file);
    std::span<const uint8_t> data;
    ASSERT_TRUE(file->FindNamed(Code("CST#"), "CUNDOQ", data));
    EXPECT_EQ(std::string(data.begin(), data.end()), std::string("\0\2Undo\0Redo\0", 12));
    ASSERT_TRUE(file->FindById(Code("TTXT"), 129, data)); // A, after the taken 128
    EXPECT_EQ(std::string(data.begin(), data.end()), "first");
    ASSERT_TRUE(file->FindById(Code("TTXT"), 130, data));
    EXPECT_EQ(std::string(data.begin(), data.end()), "second");
    EXPECT_TRUE(file->FindById(Code("TPNG"), 200, data));
    EXPECT_TRUE(file->FindNamed(Code("TPNG"), "", data));
}

TEST(ResourceSources, RejectsBadTypeFolder)
{
    const std::filesystem::path root = std::string(std::getenv("TMPDIR")) + "/bad";
    WriteFile(root / "TOOLONG" / "x.txt", "x");
    std::vector<plat::ResourceEntry> entries;
    std::string error;
    EXPECT_EQ(plat::ReadResourceFolder(root.string(), entries, error), plat::ResourceStatus::Corrupt);
    EXPECT_NE(error.find("TOOLONG"), std::string::npos);
}

TEST(ResourceFile, ProgramResourceFileIsBesideTheProgram)
{
    unsetenv("SONALYX_RESOURCE_FILE");
    const std::string path = plat::ProgramResourcePath();
    EXPECT_TRUE(path.ends_with("/Sonalyx.rsrc"));
    plat::ResourceStatus status;
    EXPECT_TRUE(plat::ResourceFile::Open(path, &status)) << path;
    setenv("SONALYX_RESOURCE_FILE", "/x/y.rsrc", 1);
    EXPECT_EQ(plat::ProgramResourcePath(), "/x/y.rsrc");
    unsetenv("SONALYX_RESOURCE_FILE");
}
