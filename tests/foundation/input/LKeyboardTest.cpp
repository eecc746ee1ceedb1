#include "foundation/input/LKeyboard.h"
#include "tests/support/RecordingHandler.h"
#include "tests/support/SharedProbe.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(LKeyboard, FillsCharactersFromTheEventAndSendsThemOnlyWhenAsked)
{
    int gone = 0;
    {
        LKeyboard keys;
        auto* event = new SharedProbe(&gone);
        keys.SetKey("\x19", "\x19", 48, LKeyboard::kShiftFlag, event);
        event->Release();
        EXPECT_EQ(std::tuple(int(keys.character), keys.keyCode, int(keys.charFlag)), std::tuple(9, 48u, 1));
        EXPECT_EQ(gone, 0) << "the keyboard keeps the event";
        keys.SetKey("\x19", "\x19", 48, 0, nullptr);
        EXPECT_EQ(keys.character, 25);
        EXPECT_EQ(gone, 1);
        keys.SetKey("\xC3\xA9t\xC3\xA9", "e", 14, 0, nullptr);
        EXPECT_EQ(std::tuple(int(keys.character), keys.charCode, int(keys.plainCharacter)), std::tuple(0xC3, 0xE9u, int('e')));
        // Cut short or overlong: the replacement character.
        for (const auto& [text, code] : {std::pair("\xF0\x9F\x8E\xB9", 0x1F3B9u), {"\xE2\x82", 0xFFFDu}, {"\xC0\xAF", 0xFFFDu}}) {
            keys.SetKey(text, "", 0, 0, nullptr);
            EXPECT_EQ(keys.charCode, code);
        }
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

