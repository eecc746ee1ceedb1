#include "tests/ui/LayoutResources.h"
#include "platform/ResourceFile.h"
#include "platform/ResourceSources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

int gResourceRef = -1;

class ResourceEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        plat::ResourceStatus status = plat::ResourceStatus::Ok;
        gResourceRef = plat::OpenResourceFile(plat::ProgramResourcePath(), &status);
    }
    void TearDown() override
    {
        if (gResourceRef > 0)
            plat::CloseResourceFile(gResourceRef);
        gResourceRef = -1;
    }
};

testing::Environment* const gEnvironment = testing::AddGlobalTestEnvironment(new ResourceEnvironment);

} // namespace

bool LayoutResources::Opened()
{
    return gResourceRef > 0;
}

std::vector<std::string> LayoutResources::SourceItems()
{
    std::string root = __FILE__;
    root = root.substr(0, root.rfind("/tests/"));
    std::ifstream in(root + "/resources/TLYO/STDLAYOUT.list", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return plat::SplitStringListText(text.str());
}
