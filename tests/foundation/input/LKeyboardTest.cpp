#include "foundation/input/LKeyboard.h"
#include "tests/support/RecordingHandler.h"
#include "tests/support/SharedProbe.h"

#include <gtest/gtest.h>

TEST(LKeyboard, FillsCharactersFromTheEventAndSendsThemOnlyWhenAsked)
{
    int gone = 0;
    {
        LKeyboard keys;
        auto* event = new SharedProbe(&gone);
        keys.SetKey("\x19", "\x19", 48, LKeyboard::kShiftFlag, event);
        event->Release();
        EXPECT_EQ(keys.character, 9);
        EXPECT_EQ(keys.keyCode, 48u);
        EXPECT_EQ(keys.charFlag, 1);
        EXPECT_EQ(gone, 0) << "the keyboard keeps the event";
        keys.SetKey("\x19", "\x19", 48, 0, nullptr);
        EXPECT_EQ(keys.character, 25);
        EXPECT_EQ(gone, 1);
        keys.SetKey("\xC3\xA9t\xC3\xA9", "e", 14, 0, nullptr);
        EXPECT_EQ(keys.character, 0xC3);
        EXPECT_EQ(keys.charCode, 0xE9u);
        EXPECT_EQ(keys.plainCharacter, 'e');
        keys.SetKey("\xF0\x9F\x8E\xB9", "", 0, 0, nullptr);
        EXPECT_EQ(keys.charCode, 0x1F3B9u);
        keys.SetKey("\xE2\x82", "", 0, 0, nullptr); // cut short
        EXPECT_EQ(keys.charCode, 0xFFFDu);
        keys.SetKey("\xC0\xAF", "", 0, 0, nullptr); // overlong
        EXPECT_EQ(keys.charCode, 0xFFFDu);
        auto* last = new SharedProbe(&gone);
        keys.SetKey("a", "a", 0, 0, last);
        last->Release();
    }
    EXPECT_EQ(gone, 2) << "released with the keyboard";

    LKeyboard typed;
    RecordingHandler window;
    typed.SetKey("a", "a", 0, 0, nullptr);
    typed.DeliverKeyDown(&window);
    EXPECT_EQ(window.seen, (std::vector<std::string>{"LKeyboard_Down"}));

    window.seen.clear();
    window.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, LKeyboard::msgDown))
            typed.charFlag = 0;
    };
    typed.DeliverKeyDown(&window);
    EXPECT_EQ(window.seen, (std::vector<std::string>{"LKeyboard_Down", "LKeyboard_Char"}));
    EXPECT_EQ(typed.charFlag, 1);
    window.seen.clear();
    typed.DeliverKeyUp(&window);
    EXPECT_EQ(window.seen, (std::vector<std::string>{"LKeyboard_Up"}));
}

