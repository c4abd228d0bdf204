#include "app/hotkeys.h"

#include <string>

#include "app/caption_record.h"
#include "app/hotkey_forms.h"
#include "app/program_files.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/store_files.h"
#include "app/system_calls.h"

namespace tessaly::program {
namespace {

const std::string PressAKey = "请按下按键";

int32_t registerStored(const std::string& stored)
{
    const ParsedHotkey key = parseHotkey(stored);
    return registerHotkey(windowHandle(DisplayWindow), windowHandle(CaptionTemplate), key.modifiers, key.keyCode);
}

void captureHotkey(UnitRef box, const std::string& section, int32_t keyCode, int32_t modifiers)
{
    if (keyCode == EscapeKey) {
        writeText(box, EditBoxProperty::Content, NoHotkey);
        writeSetting(section, NoHotkey);
    } else {
        const CapturedHotkey captured = captureForms(keyCode, modifiers);
        writeText(box, EditBoxProperty::Content, captured.display);
        writeSetting(section, captured.stored);
    }
    RegisterHotkeys();
}

void showCaptions(bool shownOnly)
{
    ProgramState& s = state();
    for (size_t i = 0; i < s.CaptionLabels.size(); ++i) {
        const bool visible = shownOnly && ToLogical(s.CaptionRecords[i].field(Field::Shown));
        writeBool(s.CaptionLabels[i], Property::Visible, visible);
    }
}

}  // namespace

void RegisterHotkeys()
{
    ProgramState& s = state();
    const int32_t display = windowHandle(DisplayWindow);
    unregisterHotkey(display, s.HideHotkeyId);
    unregisterHotkey(display, s.ShowHotkeyId);
    const std::string hide = readSetting(SettingsSection::HideHotkey, NoHotkey);
    const std::string show = readSetting(SettingsSection::ShowHotkey, NoHotkey);
    if (hide != NoHotkey) s.HideHotkeyId = registerStored(hide);
    if (show != NoHotkey) s.ShowHotkeyId = registerStored(show);
}

void showStoredHotkeys()
{
    writeText(HideHotkeyBox, EditBoxProperty::Content, displayTextOf(readSetting(SettingsSection::HideHotkey, NoHotkey)));
    writeText(ShowHotkeyBox, EditBoxProperty::Content, displayTextOf(readSetting(SettingsSection::ShowHotkey, NoHotkey)));
}

void hideHotkeyFocus() { writeText(HideHotkeyBox, EditBoxProperty::Content, PressAKey); }
void showHotkeyFocus() { writeText(ShowHotkeyBox, EditBoxProperty::Content, PressAKey); }

void hideHotkeyKeyDown(int32_t keyCode, int32_t modifiers)
{
    captureHotkey(HideHotkeyBox, SettingsSection::HideHotkey, keyCode, modifiers);
}

void showHotkeyKeyDown(int32_t keyCode, int32_t modifiers)
{
    captureHotkey(ShowHotkeyBox, SettingsSection::ShowHotkey, keyCode, modifiers);
}

// Hidden captions stand still: the places they scrolled to are stored at once.
void hotkeyFeedback(int32_t identifier)
{
    const ProgramState& s = state();
    if (identifier == s.HideHotkeyId) {
        showCaptions(false);
        saveStore();
    }
    if (identifier == s.ShowHotkeyId) showCaptions(true);
}

}  // namespace tessaly::program
