#include "foundation/core/LStrStream.h"
#include "foundation/input/LKeyboard.h"
#include "ui/menus/KeyEquiv.h"

#include <gtest/gtest.h>

#include <tuple>
#include <string>

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

std::string KeyCode(char plain, uint32_t modifiers, bool* ok = nullptr)
{
    LKeyboard keyboard;
    keyboard.plainCharacter = static_cast<uint8_t>(plain);
    keyboard.modifiers = modifiers;
    LStrStream out;
    const bool written = KeyEquiv::WriteSpec(keyboard, out);
    if (ok)
        *ok = written;
    return std::string(out.View());
}

std::string Display(char plain, uint32_t modifiers)
{
    LKeyboard keyboard;
    keyboard.plainCharacter = static_cast<uint8_t>(plain);
    keyboard.modifiers = modifiers;
    LStrStream out;
    return KeyEquiv::WriteDisplay(keyboard, out) ? std::string(out.View()) : "-";
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

TEST(KeyEquiv, WritesTheSpecOfAKeyPress)
{
    // Shift only counts for letters.
    for (const auto& [plain, modifiers, code] : {std::tuple('a', 0u, "nA"), {'a', kShift, "snA"}, {'s', kCommand, "S"},
                                                 {'1', kShift | kCommand, "1"}, {'x', kControl | kOption | kShift | kCommand, "cosX"}})
        EXPECT_EQ(KeyCode(plain, modifiers), code) << code;
    for (const auto& [plain, modifiers] : {std::pair('\x1B', 0u), std::pair('\x7F', kCommand)}) {
        bool ok = true;
        KeyCode(plain, modifiers, &ok);
        EXPECT_FALSE(ok) << int(plain);
    }
}

TEST(KeyEquiv, RendersModifierNamesAsLinuxUsersReadThem)
{
    EXPECT_EQ(Display(' ', kControl | kShift | kCommand), "Ctrl+Super+Space"); // shift not for a space
    EXPECT_EQ(Display('z', kControl | kOption | kShift | kCommand), "Ctrl+Alt+Shift+Super+Z");
    LStrStream out;
    EXPECT_TRUE(KeyEquiv::Render({' ', KeyEquiv::kControl | KeyEquiv::kShift | KeyEquiv::kCommand}, out));
    EXPECT_EQ(out.View(), "Ctrl+Shift+Super+Space");
    LStrStream none;
    EXPECT_FALSE(KeyEquiv::Render({200, KeyEquiv::kCommand}, none));
    EXPECT_EQ(none.Length(), 0u);
    EXPECT_EQ(Display('\t', 0), "-");
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
