#include "foundation/text/LStrList.h"
#include "platform/resources/ResourceFile.h"
#include "shell/resources/LRegionalResSource.h"
#include "shell/resources/LResourceChain.h"
#include "tests/support/MemResourceSource.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t kText = 0x54545854; // 'TTXT'
constexpr uint32_t kFR = 0x46522020;   // 'FR  '

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
std::string Text(const std::vector<uint8_t>& v) { return {v.begin(), v.end()}; }

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
}

// A resource file on disk with plain and regional variants, opened for each test; the file
// that was current before is current again afterwards.
class PackedResources : public testing::Test {
protected:
    void SetUp() override
    {
        fSaved = plat::CurrentResourceFile();
        std::vector<uint8_t> bytes;
        ASSERT_EQ(plat::PackResources(
                      {
                          {kText, 128, "HELLO", Bytes("hello")},
                          {kText, 129, "HELLO_J", Bytes("konnichiwa")},
                          {kText, 130, "ONLYPLAIN", Bytes("plain")},
                          {kText, 131, "_J", Bytes("suffix alone")},
                          {kText, 132, "", Bytes("no name")},
                          {kText, 133, std::string(255, 'n'), Bytes("long name")},
                          {kStrListDialogTexts, 128, "ABOUT", Bytes(std::string("\0\2About\0OK\0", 12))},
                          {kStrListDialogTexts, 129, "ABOUT_J", Bytes(std::string("\0\1Jouhou\0", 9))},
                      },
                      bytes),
                  plat::ResourceStatus::Ok);
        fPath = std::string(std::getenv("TMPDIR")) + "/chain.rsrc";
        WriteBytes(fPath, bytes);
        fRef = plat::OpenResourceFile(fPath, nullptr);
        ASSERT_GT(fRef, 0);
        plat::UseResourceFile(fSaved);
    }
    void TearDown() override
    {
        plat::CloseResourceFile(fRef);
        plat::UseResourceFile(fSaved);
    }

    std::string Load(LResourceSource& source, LResRef ref, uint32_t type = kText)
    {
        std::vector<uint8_t> out = Bytes("stale");
        return source.Load(type, ref, out) ? Text(out) : (out.empty() ? "-" : "not cleared");
    }

    std::string fPath;
    int fRef = 0;
    int fSaved = 0;
};

} // namespace

TEST_F(PackedResources, FileSourceFindsByNameAndByIdAndRestoresTheCurrentFile)
{
    LResFileSource source(fRef);
    EXPECT_EQ(Load(source, {0, "HELLO"}), "hello");
    EXPECT_EQ(Load(source, {130, nullptr}), "plain");
    EXPECT_EQ(Load(source, {130, "HELLO"}), "hello"); // a name wins over the id
    EXPECT_EQ(Load(source, {0, "MISSING"}), "-");
    EXPECT_EQ(Load(source, {999, nullptr}), "-");
    EXPECT_EQ(Load(source, {0, "HELLO"}, kStrListDialogTexts), "-");
    const std::string longer = std::string(255, 'n') + "extra"; // names count up to 255 bytes
    EXPECT_EQ(Load(source, {0, longer.c_str()}), "long name");
    EXPECT_EQ(plat::CurrentResourceFile(), fSaved);
    LResFileSource unopened(-1);
    EXPECT_EQ(Load(unopened, {0, "HELLO"}), "-");
    EXPECT_EQ(source.GetRegion(), kRegionUS);
}

TEST_F(PackedResources, JapaneseRegionPrefersTheRegionalVariantOthersUseTheName)
{
    LRegionalResSource source(fRef, kRegionJP);
    EXPECT_EQ(source.Suffix(), "_J");
    EXPECT_EQ(source.GetRegion(), kRegionJP);
    EXPECT_EQ(Load(source, {0, "HELLO"}), "konnichiwa");
    EXPECT_EQ(Load(source, {0, "ONLYPLAIN"}), "plain");
    EXPECT_EQ(Load(source, {0, "NOWHERE"}), "-");
    // Asked by id only, the id decides: never the resource named "_J" or the one without a name.
    EXPECT_EQ(Load(source, {130, nullptr}), "plain");
    EXPECT_EQ(Load(source, {999, nullptr}), "-");
    EXPECT_EQ(Load(source, {0, ""}), "suffix alone"); // an empty name is a name

    source.SetRegion(kFR); // other regions use the name itself
    EXPECT_EQ(source.Suffix(), "");
    EXPECT_EQ(source.GetRegion(), kFR);
    EXPECT_EQ(Load(source, {0, "HELLO"}), "hello");
    EXPECT_EQ(Load(source, {132, nullptr}), "no name");
    EXPECT_EQ(Load(source, {0, ""}), "no name");
}

TEST(LResourceChain, AsksSourcesFromTheLastAddedAndReportsTheFirstRegionOtherThanUS)
{
    MemResourceSource first, second;
    first.Add(kText, 1, "A", std::string("first A"));
    first.Add(kText, 2, "B", std::string("first B"));
    second.Add(kText, 1, "A", std::string("second A"));
    LResourceChain chain;
    std::vector<uint8_t> out;
    EXPECT_EQ(chain.GetRegion(), kRegionUS);
    EXPECT_FALSE(chain.Load(kText, {0, "A"}, out)); // empty chain
    chain.Add(&first);
    chain.Add(&second);
    ASSERT_TRUE(chain.Load(kText, {0, "A"}, out));
    EXPECT_EQ(Text(out), "second A");
    EXPECT_EQ(first.LoadCount(), 0);
    ASSERT_TRUE(chain.Load(kText, {0, "B"}, out));
    EXPECT_EQ(Text(out), "first B");
    EXPECT_FALSE(chain.Load(kText, {0, "C"}, out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(chain.GetRegion(), kRegionUS);
    MemResourceSource us1, jp(kRegionJP), fr(kFR); // the first region other than US counts
    LResourceChain withJapanFirst;
    withJapanFirst.Add(&jp);
    withJapanFirst.Add(&us1);
    EXPECT_EQ(withJapanFirst.GetRegion(), kRegionJP);
    withJapanFirst.Add(&fr);
    EXPECT_EQ(withJapanFirst.GetRegion(), kFR);
}
