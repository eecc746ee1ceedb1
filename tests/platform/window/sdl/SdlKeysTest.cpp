// Desktop keys as the model's key events read them. SDL's key codes are written out as the
// numbers SDL defines: printable keys are their character, other keys their scan code | 1 << 30.
#include "platform/window/Event.h"
#include "platform/window/sdl/SdlKeys.h"

#include <gtest/gtest.h>

#include <tuple>

namespace plat {
namespace {

constexpr int32_t Scan(int32_t code) { return code | (1 << 30); }
constexpr uint32_t kSdlShift = 0x0001, kSdlCtrl = 0x0040, kSdlAlt = 0x0100, kSdlGui = 0x0400, kSdlCaps = 0x2000;

TEST(SdlKeys, CtrlPlaysCommandAltOptionSuperControl)
{
    EXPECT_EQ(ModifierFlags(kSdlCtrl), uint32_t(kModCommand));
    EXPECT_EQ(ModifierFlags(kSdlAlt), uint32_t(kModOption));
    EXPECT_EQ(ModifierFlags(kSdlGui), uint32_t(kModControl));
    EXPECT_EQ(ModifierFlags(kSdlShift | kSdlCaps), uint32_t(kModShift | kModCapsLock));
    EXPECT_EQ(ModifierFlags(0x1000), 0u); // Num Lock is no modifier of the model
}

TEST(SdlKeys, KeysBecomeTheModelsCharacters)
{
    struct Row {
        int32_t key;
        uint32_t mods;
        const char* characters;
        const char* ignoring;
        bool function;
    };
    const Row rows[] = {
        {'a', 0, "a", "a", false},
        {'a', kSdlShift, "A", "A", false},
        {'a', kSdlCaps, "A", "a", false},
        {'a', kSdlCaps | kSdlShift, "a", "A", false},
        {'q', kSdlCtrl, "q", "q", false},
        {'7', kSdlShift, "7", "7", false}, // the typed text arrives separately
        {0xE9, 0, "\xC3\xA9", "\xC3\xA9", false},
        {'\r', 0, "\r", "\r", true},
        {'\x1b', 0, "\x1b", "\x1b", true},
        {'\b', 0, "\x7f", "\x7f", true},
        {'\t', kSdlShift, "\x19", "\x19", true},
        {0x7F, 0, "\xEF\x9C\xA8", "\xEF\x9C\xA8", true},        // forward delete U+F728
        {Scan(82), 0, "\xEF\x9C\x80", "\xEF\x9C\x80", true},     // up U+F700
        {Scan(80), 0, "\xEF\x9C\x82", "\xEF\x9C\x82", true},     // left U+F702
        {Scan(58), 0, "\xEF\x9C\x84", "\xEF\x9C\x84", true},     // F1 U+F704
        {Scan(88), 0, "\x03", "\x03", true},                     // keypad Enter
        {Scan(74), 0, "\xEF\x9C\xA9", "\xEF\x9C\xA9", true},     // Home U+F729
        {Scan(127), 0, "", "", false},                           // mute: nothing to type
    };
    for (const Row& row : rows) {
        const KeyText text = KeyTextOf(row.key, row.mods);
        EXPECT_EQ(text.characters, row.characters) << row.key;
        EXPECT_EQ(text.ignoringModifiers, row.ignoring) << row.key;
        EXPECT_EQ(text.isFunction, row.function) << row.key;
        EXPECT_FALSE(text.isModifier) << row.key;
    }
    for (int32_t modifier : {Scan(224), Scan(225), Scan(226), Scan(227), Scan(229), Scan(57)})
        EXPECT_TRUE(KeyTextOf(modifier, 0).isModifier) << modifier;
}

// SDL names a key as typed without Shift; with Shift (whatever else is held) a key other than
// a letter types what the layout gives it, or its own character when the layout does not say.
TEST(SdlKeys, WithShiftAKeyTypesWhatTheLayoutGivesIt)
{
    const std::tuple<int32_t, uint32_t, uint32_t, const char*> rows[] = {
        {'2', kSdlShift | kSdlCtrl, '@', "@"},
        {'2', kSdlCtrl, '@', "2"},
        {'/', kSdlShift | kSdlCtrl | kSdlAlt, '?', "?"},
        {'-', kSdlShift, '_', "_"},
        {'7', kSdlShift, 0, "7"},
        {'k', kSdlShift | kSdlCtrl, 'K', "K"},
        {0xE9, kSdlShift | kSdlCtrl, '2', "2"}, // a layout with its digits on Shift
        {0xDF, kSdlShift, '?', "?"},
    };
    for (const auto& [key, mods, shifted, typed] : rows) {
        const KeyText text = KeyTextOf(key, mods, shifted);
        EXPECT_EQ(text.characters, typed) << key;
        EXPECT_EQ(text.ignoringModifiers, typed) << key;
    }
}

} // namespace
} // namespace plat
