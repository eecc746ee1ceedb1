#include "tests/ui/LayoutResources.h"
#include "foundation/text/LStrList.h"
#include "platform/resources/ResourceFile.h"
#include "platform/resources/ResourceSources.h"
#include "tests/support/MemResourceSource.h"
#include "ui/layout/LFormulaLayout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

bool gOpened = false;

class ResourceEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        plat::ResourceStatus status = plat::ResourceStatus::Ok;
        const std::unique_ptr<plat::ResourceFile> file = plat::ResourceFile::Open(plat::ProgramResourcePath(), &status);
        std::span<const uint8_t> data;
        if (file && file->FindNamed(kStrListLayouts, "STDLAYOUT", data)) {
            fSource.Add(kStrListLayouts, 128, "STDLAYOUT", std::vector<uint8_t>(data.begin(), data.end()));
            gOpened = true;
        }
        fPrevious = LResourceSource::Global();
        LResourceSource::SetGlobal(&fSource);
        LFormulaLayout first(nullptr, nullptr); // fills the process-wide prelude store
    }
    void TearDown() override { LResourceSource::SetGlobal(fPrevious); }

private:
    MemResourceSource fSource;
    LResourceSource* fPrevious = nullptr;
};

testing::Environment* const gEnvironment = testing::AddGlobalTestEnvironment(new ResourceEnvironment);

} // namespace

bool LayoutResources::Opened()
{
    return gOpened;
}

std::string LayoutResources::SourceFolder()
{
    const std::string file = __FILE__;
    return file.substr(0, file.rfind("/tests/")) + "/resources/TLYO";
}

std::vector<std::string> LayoutResources::SourceItems(const std::string& file)
{
    std::ifstream in(SourceFolder() + "/" + file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return plat::SplitStringListText(text.str());
}

LStrListRef LayoutResources::MakeList(const std::vector<std::string>& items)
{
    MemResourceSource source;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(plat::PackStringList(items, bytes));
    source.Add(kStrListLayouts, 128, "LAYOUT", std::move(bytes));
    LStrListRef list;
    LStrListRef::Create(list, LResRef{128, nullptr}, &source, kStrListLayouts);
    return list;
}
