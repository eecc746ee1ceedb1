#include "foundation/core/LStrStream.h"
#include "foundation/input/LKeyboard.h"
#include "ui/menus/KeyEquiv.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

constexpr uint32_t kShift = 0x20000, kControl = 0x40000, kOption = 0x80000, kCommand = 0x100000;

KeyEquiv::Parsed Parse(const char* text, bool* ok = nullptr)
{
    KeyEquiv::Parsed parsed;
    const bool parsedOk = KeyEquiv::Parse(text, parsed);
    if (ok)
        *ok = parsedOk;
    return parsedOk ? parsed : KeyEquiv::Parsed{0xFF, 0xFF};
}

// The stored key text (or, with display set, the text shown) of a key press; "-" when none is written.
std::string Written(char plain, uint32_t modifiers, bool display = false)
{
    LKeyboard keyboard;
    keyboard.plainCharacter = static_cast<uint8_t>(plain);
    keyboard.modifiers = modifiers;
    LStrStream out;
    const bool written = display ? KeyEquiv::WriteDisplay(keyboard, out) : KeyEquiv::WriteSpec(keyboard, out);
    return written ? std::string(out.View()) : "-";
}

} // namespace

TEST(KeyEquiv, ParsesModifierLettersThenTheKey)
{
    EXPECT_EQ(Parse("sS").key, 'S');
    EXPECT_EQ(Parse("sS").mask, KeyEquiv::kShift | KeyEquiv::kCommand);
    // Unknown letters are skipped.
    for (const auto& [text, mask] : {std::pair("nA", 0u), {"coX", uint32_t(KeyEquiv::kControl | KeyEquiv::kOption | KeyEquiv::kCommand)},
                                     {"zq?", uint32_t(KeyEquiv::kCommand)}})
        EXPECT_EQ(Parse(text).mask, mask) << text;
    EXPECT_EQ(Parse(" ").key, ' ');
    for (const char* bad : {"ca", "c", "", "s\x7F", static_cast<const char*>(nullptr)}) {
        bool ok = true;
        Parse(bad, &ok);
        EXPECT_FALSE(ok) << (bad ? bad : "null");
    }
}

TEST(KeyEquiv, WritesTheStoredTextOfAKeyPress)
{
    // Shift only counts for letters; Escape and Delete have no stored text.
    for (const auto& [plain, modifiers, text] :
         {std::tuple('a', 0u, "nA"), {'a', kShift, "snA"}, {'s', kCommand, "S"}, {'1', kShift | kCommand, "1"},
          {'x', kControl | kOption | kShift | kCommand, "cosX"}, {'\x1B', 0u, "-"}, {'\x7F', kCommand, "-"}})
        EXPECT_EQ(Written(plain, modifiers), text) << int(plain);
}

// The key of a press is the character typed with Shift: letters, digits and marks with and
// without Shift as the dialog stores and shows them.
TEST(KeyEquiv, RecordsTheCharacterTheKeysType)
{
    for (const auto& [plain, modifiers, text, shown] :
         {std::tuple('k', kCommand, "K", "Ctrl+K"), {'K', kShift | kCommand, "sK", "Ctrl+Shift+K"},
          {'2', kCommand, "2", "Ctrl+2"}, {'@', kShift | kCommand, "@", "Ctrl+@"}, {'/', kCommand, "/", "Ctrl+/"},
          {'?', kShift | kCommand, "?", "Ctrl+?"}, {'_', kShift | kOption | kCommand, "o_", "Ctrl+Alt+_"},
          {'"', kShift, "n\"", "\""}}) {
        EXPECT_EQ(Written(plain, modifiers), text) << plain;
        EXPECT_EQ(Written(plain, modifiers, true), shown) << plain;
    }
}

TEST(KeyEquiv, RendersModifierNamesAsLinuxUsersReadThem)
{
    EXPECT_EQ(Written(' ', kControl | kShift | kCommand, true), "Ctrl+Super+Space"); // shift not for a space
    EXPECT_EQ(Written('z', kControl | kOption | kShift | kCommand, true), "Ctrl+Alt+Shift+Super+Z");
    LStrStream out;
    EXPECT_TRUE(KeyEquiv::Render({' ', KeyEquiv::kControl | KeyEquiv::kShift | KeyEquiv::kCommand}, out));
    EXPECT_EQ(out.View(), "Ctrl+Shift+Super+Space");
    LStrStream none;
    EXPECT_FALSE(KeyEquiv::Render({200, KeyEquiv::kCommand}, none));
    EXPECT_EQ(none.Length(), 0u);
    EXPECT_EQ(Written('\t', 0, true), "-");
}

TEST(KeyEquiv, MenuModifiersAreControlOptionAndCommand)
{
    LKeyboard keyboard;
    keyboard.modifiers = kShift;
    EXPECT_FALSE(KeyEquiv::HasMenuModifier(keyboard));
    for (uint32_t flag : {kControl, kOption, kCommand}) {
        keyboard.modifiers = flag;
        EXPECT_TRUE(KeyEquiv::HasMenuModifier(keyboard));
    }
}
