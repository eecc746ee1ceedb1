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

TEST(CTextResource, LoadsByIdWhenNoNameIsGiven)
{
    MemResourceSource source;
    source.Add(kTextResourceType, 200, "ANY", std::string("by id"));
    CTextResource resource(LResRef{200, nullptr}, &source, kTextResourceType);
    EXPECT_EQ(resource.text.View(), "by id");
}

TEST(CTextResource, MissingResourceOrTypeLeavesTheTextEmpty)
{
    MemResourceSource source;
    source.Add(0x54455854, 128, "FS_TEST", std::string("other type")); // 'TEXT'
    CTextResource wrongType(LResRef{0, "FS_TEST"}, &source, kTextResourceType);
    EXPECT_TRUE(wrongType.text.IsEmpty());
    CTextResource missing(LResRef{0, "NOPE"}, &source, kTextResourceType);
    EXPECT_TRUE(missing.text.IsEmpty());
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
