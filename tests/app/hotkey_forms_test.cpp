// What a captured hotkey is stored as and shown as, and how a stored value
// is read back for registration.
#include <gtest/gtest.h>

#include "app/hotkey_forms.h"

namespace tessaly::program {
namespace {

TEST(HotkeyForms, OneModifierIsNamedAndStoredWithItsDigit)
{
    EXPECT_EQ(captureForms(65, 1).display, "Ctrl+A 键");
    EXPECT_EQ(captureForms(65, 1).stored, "1+65");
    EXPECT_EQ(captureForms(70, 2).display, "Shift+F 键");
    EXPECT_EQ(captureForms(70, 2).stored, "2+70");
    EXPECT_EQ(captureForms(65, 4).display, "Alt+A 键");
    EXPECT_EQ(captureForms(65, 4).stored, "4+65");
}

TEST(HotkeyForms, BareKeysAndCombinedModifiersKeepOnlyTheKey)
{
    EXPECT_EQ(captureForms(65, 0).display, "A 键");
    EXPECT_EQ(captureForms(65, 0).stored, "65");
    EXPECT_EQ(captureForms(65, 3).display, "A 键") << "Ctrl+Shift has no name";
    EXPECT_EQ(captureForms(65, 3).stored, "65");
    EXPECT_EQ(captureForms(17, 1).stored, "1+17") << "a modifier key alone is a capture too";
}

TEST(HotkeyForms, StoredValuesShowAsTheyWereCapturedAndParseBack)
{
    EXPECT_EQ(displayTextOf("无"), "无");
    EXPECT_EQ(displayTextOf("65"), "A 键");
    EXPECT_EQ(displayTextOf("1+112"), "Ctrl+p 键");
    EXPECT_EQ(displayTextOf("3+65"), "+A 键") << "an unnamed modifier digit keeps only the plus sign";

    EXPECT_EQ(parseHotkey("1+112").modifiers, 1);
    EXPECT_EQ(parseHotkey("1+112").keyCode, 112);
    EXPECT_EQ(parseHotkey("65").modifiers, 0);
    EXPECT_EQ(parseHotkey("65").keyCode, 65);
    EXPECT_EQ(parseHotkey("x+y").keyCode, 0) << "hand-edited nonsense reads as 0";
}

}  // namespace
}  // namespace tessaly::program
