#include "foundation/core/LStringRef.h"
#include "platform/prefs/Preferences.h"
#include "platform/values/Dict.h"
#include "shell/CPrefs.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Each test works in its own domain so that the process-wide domains do not meet.
class CPrefsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fId = std::string("test.") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::unlink(plat::Preferences::DomainPath(fId).c_str());
    }
    plat::Preferences& Domain() { return plat::Preferences::Domain(fId); }
    LStringRef Id() const { return LStringRef(std::string_view(fId)); }

    std::string fId;
};

} // namespace

TEST_F(CPrefsTest, WritingStoresTheDictionaryAndTheFile)
{
    {
        CPrefs prefs(Id(), CPrefs::kWrite);
        prefs.Store().SetInt("n", 12);
        LKeyValueNode sub(prefs.Store(), "fonts");
        sub.SetString("fam", "Sans");
    }
    plat::Preferences fromFile(plat::Preferences::DomainPath(fId));
    plat::Ref<plat::Value> stored = fromFile.CopyValue("prefs");
    ASSERT_TRUE(stored && stored->As<plat::Dict>());
    EXPECT_EQ(stored->As<plat::Dict>()->GetAs<plat::String>("n")->Text(), "12 ");

    CPrefs reader(Id(), CPrefs::kRead);
    EXPECT_EQ(reader.Store().GetInt("n", 0), 12);
    LKeyValueNode fonts(reader.Store(), "fonts");
    LStringRef family;
    EXPECT_TRUE(fonts.GetString("fam", &family));
    EXPECT_EQ(family, "Sans");
}

TEST_F(CPrefsTest, WriteModeWorksOnACopyUntilClosed)
{
    {
        CPrefs first(Id(), CPrefs::kWrite);
        first.Store().SetInt("n", 1);
    }
    CPrefs reader(Id(), CPrefs::kRead);
    CPrefs writer(Id(), CPrefs::kWrite);
    writer.Store().SetInt("n", 2);
    EXPECT_EQ(reader.Store().GetInt("n", 0), 1);
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(reader.Store().GetInt("n", 0), 1);  // the reader keeps what it opened
    EXPECT_EQ(CPrefs(Id(), CPrefs::kRead).Store().GetInt("n", 0), 2);
}

TEST_F(CPrefsTest, EmptySaveStoresAnEmptyDictionaryAndAStringIsReplaced)
{
    Domain().SetValue("prefs", plat::String::Make("not a dictionary"));
    {
        CPrefs reader(Id(), CPrefs::kRead);
        EXPECT_EQ(reader.Store().GetInt("n", -1), -1);
    }
    { CPrefs writer(Id(), CPrefs::kWrite); }
    plat::Ref<plat::Value> stored = Domain().CopyValue("prefs");
    ASSERT_TRUE(stored && stored->As<plat::Dict>());
    EXPECT_EQ(stored->As<plat::Dict>()->Count(), 0u);
}
