#include "shell/system/ICLaunch.h"
#include "shell/system/LAEDesc.h"
#include "platform/system/UrlLauncher.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(LAEDesc, OwnsANewRecordOnlyWhenNoDescriptorIsGivenAndBorrowedOnesOutliveTheHolder)
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

    std::vector<uint8_t> data = {1, 2, 3};
    const AEDescriptor reply{0x61657674, &data}; // 'aevt'
    {
        LAEDesc borrower;
        borrower.InitList(nullptr);
        borrower.InitList(&reply); // the record it owned is let go first
        EXPECT_TRUE(borrower.Borrowed());
        EXPECT_EQ(borrower.Descriptor().dataHandle, &data);
    }
    EXPECT_EQ(data.size(), 3u); // untouched: under the address sanitizer a free would show
}

TEST(ICLaunch, OpensNothingWhenTheLauncherCannotStartAndPassesUrlsWhole)
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
    LaunchURL("https://example.org/x?a=1;rm -rf /"); // through the process launcher, as one argument
    plat::UrlLauncher::SetRecorder({});
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org/a b", "https://example.org/x?a=1;rm -rf /"}));
    EXPECT_TRUE(TheICInstance().started);
    setenv("PATH", path.c_str(), 1);
}
