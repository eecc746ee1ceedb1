#include "analysis/gl/CTextResource.h"
#include "tests/support/MemResourceSource.h"

#include <gtest/gtest.h>

#include <string>

TEST(CTextResource, LoadsByNameWholeAcrossChunks)
{
    MemResourceSource source;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\n"; // well past one 256-byte chunk
    source.Add(kTextResourceType, 128, "VS_TEST", text);
    CTextResource resource(LResRef{0, "VS_TEST"}, &source, kTextResourceType);
    EXPECT_EQ(resource.text.View(), text);
}

// By id when no name is given; a missing resource, or one of another type, leaves the text empty.
TEST(CTextResource, LoadsByIdWithoutANameAndMissingResourcesOrTypesLeaveTheTextEmpty)
{
    MemResourceSource source;
    source.Add(kTextResourceType, 200, "ANY", std::string("by id"));
    source.Add(0x54455854, 128, "FS_TEST", std::string("other type")); // 'TEXT'
    for (const auto& [ref, text] : {std::pair{LResRef{200, nullptr}, "by id"}, {LResRef{0, "FS_TEST"}, ""}, {LResRef{0, "NOPE"}, ""}})
        EXPECT_EQ(CTextResource(ref, &source, kTextResourceType).text.View(), text) << ref.id;
}

TEST(CTextResource, UsesTheApplicationChainWhenNoSourceIsGiven)
{
    MemResourceSource source;
    source.Add(kTextResourceType, 128, "GLOBAL", std::string("from the chain"));
    ScopedGlobalResources scope(&source);
    CTextResource resource(LResRef{0, "GLOBAL"}, nullptr, kTextResourceType);
    EXPECT_EQ(resource.text.View(), "from the chain");
    EXPECT_EQ(source.LoadCount(), 1);
}
