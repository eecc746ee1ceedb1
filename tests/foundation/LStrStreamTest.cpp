#include "foundation/LStrStream.h"

#include <gtest/gtest.h>

#include <string>

TEST(LStrStream, SixtyThreeBytesStayInlineOneMoreMovesToHeap)
{
    LStrStream s;
    const std::string text(63, 'a');
    s.Write(text);
    EXPECT_EQ(s.HeapCapacity(), 0u);
    EXPECT_EQ(s.View(), text);
    s.PutChar('b');
    EXPECT_EQ(s.HeapCapacity(), 130u);
    EXPECT_EQ(s.View(), text + "b");
    EXPECT_EQ(s.CStr()[64], '\0');
    EXPECT_FALSE(s.Error());
}
