#include "shell/system/ICLaunch.h"
#include "shell/system/LAEDesc.h"
#include "platform/system/UrlLauncher.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(LAEDesc, OwnsANewRecordOnlyWhenNoDescriptorIsGiven)
{
    LAEDesc holder;
    holder.InitList(nullptr);
    EXPECT_EQ(holder.Descriptor().descriptorType, LAEDesc::kTypeRecord);
    ASSERT_NE(holder.Descriptor().dataHandle, nullptr);
    EXPECT_TRUE(holder.Descriptor().dataHandle->empty());
    EXPECT_FALSE(holder.Borrowed());
    holder.Dispose();
    EXPECT_EQ(holder.Descriptor().descriptorType, LAEDesc::kTypeNull);
    EXPECT_EQ(holder.Descriptor().dataHandle, nullptr);
}

TEST(LAEDesc, BorrowedDescriptorsOutliveTheHolder)
{
    std::vector<uint8_t> data = {1, 2, 3};
    const AEDescriptor reply{0x61657674, &data}; // 'aevt'
    {
        LAEDesc holder;
        holder.InitList(nullptr);
        holder.InitList(&reply); // the record it owned is let go first
        EXPECT_TRUE(holder.Borrowed());
        EXPECT_EQ(holder.Descriptor().dataHandle, &data);
    }
    EXPECT_EQ(data.size(), 3u); // untouched: under the address sanitizer a free would show
}

TEST(ICLaunch, OpensNothingWhenTheLauncherCannotStart)
{
    const std::string path = std::getenv("PATH");
    setenv("PATH", "/nonexistent", 1);
    ICInstance instance;
    EXPECT_EQ(ICLaunch(instance, "https://example.org/"), 0);
    EXPECT_FALSE(instance.started);

    std::vector<std::string> opened;
    plat::UrlLauncher::SetRecorder([&](const std::string& url) { opened.push_back(url); });
    EXPECT_EQ(ICLaunch(instance, "https://example.org/a b"), 0);
    EXPECT_TRUE(instance.started);
    plat::UrlLauncher::SetRecorder({});
    EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/a b"});
    setenv("PATH", path.c_str(), 1);
}


TEST(ICLaunch, LaunchUrlGoesThroughTheProcessLauncher)
{
    std::vector<std::string> opened;
    plat::UrlLauncher::SetRecorder([&](const std::string& url) { opened.push_back(url); });
    LaunchURL("https://example.org/x?a=1;rm -rf /");
    plat::UrlLauncher::SetRecorder({});
    EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/x?a=1;rm -rf /"});
    EXPECT_TRUE(TheICInstance().started);
}
