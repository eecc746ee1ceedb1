#include "controls/NoteName.h"

#include <gtest/gtest.h>

TEST(NoteName, NamesTheBoundaryNotes)
{
    EXPECT_EQ(NoteName(60, 4), "C 4");
    EXPECT_EQ(NoteName(61, 4), "C#4");
    EXPECT_EQ(NoteName(0, 4), "C -1");
    EXPECT_EQ(NoteName(127, 4), "G 9");
    EXPECT_EQ(NoteName(11, 4), "B -1");
    EXPECT_EQ(NoteName(12, 4), "C 0");
    EXPECT_EQ(NoteName(255, 4), "D#20");
    EXPECT_EQ(NoteName(60, 5), "C 5");
}

TEST(NoteName, ReadsTypedNames)
{
    struct Case { const char* text; int32_t note; };
    const Case cases[] = {
        {"c#3", 49}, {"B#", 72}, {"E#", 65}, {"C 4", 60}, {"C-", 12}, {"G9#", 127}, {"C-2", 0},
        {"", 60}, {"a4", 69}, {"x", 60}, {"D E", 64}, {"C3 5", 72}, {"g#-1", 8}, {"C-1", 0},
        {"G9", 127}, {"C99999999999999", 127}, {"C-99999999999999", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NoteFromName(c.text), c.note) << c.text;
}

TEST(NoteName, EveryNoteNameReadsBackAsItsNote)
{
    for (int note = 0; note <= 127; ++note)
        EXPECT_EQ(NoteFromName(NoteName(static_cast<uint8_t>(note), 4).View()), note) << note;
}
