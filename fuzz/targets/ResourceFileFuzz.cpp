// The resource file beside the program: a damaged file opens as Corrupt or not at all; one
// that opens gives resources inside it, and its string lists read no further than their data.
#include "foundation/text/LResourceSource.h"
#include "foundation/text/LStrList.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "platform/resources/ResourceFile.h"

#include <vector>

namespace {

// The found resource as the one list a string list loads.
class FoundList final : public LResourceSource {
public:
    explicit FoundList(std::span<const uint8_t> data) : fData(data.begin(), data.end()) {}
    bool Load(uint32_t, const LResRef&, std::vector<uint8_t>& out) override
    {
        out = fData;
        return true;
    }

private:
    std::vector<uint8_t> fData;
};

constexpr uint32_t kTypes[] = {0x43535423 /* CST# */, 0x544D4E55 /* TMNU */, 0x544D4E42 /* TMNB */,
                               0x544C594F /* TLYO */, 0x54545854 /* TTXT */, 0x54504E47 /* TPNG */};

void CheckLists(const plat::ResourceFile& file, size_t size)
{
    for (uint32_t type : kTypes) {
        for (int32_t id = 126; id < 134; ++id) {
            std::span<const uint8_t> data;
            if (!file.FindById(type, id, data))
                continue;
            FuzzCheck(data.size() <= size, "a resource is no larger than its file");
            FoundList source(data);
            LStrList list({id, nullptr}, &source, type);
            FuzzCheck(list.HeldCount() <= list.Count(), "a list holds no more than it counts");
            size_t total = 0;
            for (uint32_t i = 0; i < list.HeldCount(); ++i)
                total += list.GetItem(i).View().size();
            FuzzCheck(total <= data.size(), "the items lie inside the list's data");
        }
    }
}

} // namespace

int FuzzResourceFile(const uint8_t* data, size_t size)
{
    plat::ResourceStatus status = plat::ResourceStatus::NotFound;
    const auto file = plat::ResourceFile::FromBytes(std::vector<uint8_t>(data, data + size), &status);
    FuzzCheck((file != nullptr) == (status == plat::ResourceStatus::Ok), "a file opens exactly when its status is Ok");
    if (!file)
        return 0;
    FuzzCheck(file->Count() <= size, "no more resources than bytes");
    CheckLists(*file, size);
    std::span<const uint8_t> named;
    (void)file->FindNamed(kTypes[0], "APPMSG", named);
    return 0;
}
