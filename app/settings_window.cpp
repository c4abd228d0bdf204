#include "app/settings_window.h"

#include <string>

#include "app/caption_editor.h"
#include "app/caption_lines.h"
#include "app/caption_record.h"
#include "app/caption_store.h"
#include "app/caption_windows.h"
#include "app/hotkeys.h"
#include "app/program_files.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/system_calls.h"
#include "app/text_calls.h"

namespace tessaly::program {
namespace {

constexpr int32_t CompactWidth = 320;
constexpr int32_t ExpandedWidth = 628;
constexpr int32_t WindowHeight = 310;
constexpr int32_t TickInterval = 20;

void applyDisplayTransparency(bool clickThrough)
{
    ApplyWindowTransparency(windowHandle(DisplayWindow), state().Transparency, displayColourKey(), clickThrough);
}

// The caption the list has selected, or 0 when nothing is selected.
int32_t selectedCaption()
{
    const int32_t i = readInt(CaptionList, ChkListBoxProperty::CurrentItem) + 1;
    return i >= 1 && i <= state().CaptionCount ? i : 0;
}

// An editor open on a caption after the deleted one follows it down a line;
// one open on the deleted caption itself has nothing left to save and closes.
void keepEditorOnItsCaption(int32_t deleted)
{
    ProgramState& s = state();
    if (!isCreated(EditorWindow) || s.EditMode != 1) return;
    if (s.EditIndex == deleted) destroy(EditorWindow);
    if (s.EditIndex > deleted) --s.EditIndex;
}

}  // namespace

void settingsCreated()
{
    showStoredHotkeys();
    writeInt(SettingsWindow, Property::Width, CompactWidth);
    writeInt(SettingsWindow, Property::Height, WindowHeight);
    applyDisplayTransparency(false);
}

void settingsClosing()
{
    writeSetting(SettingsSection::Transparency, toText(state().Transparency));
    writeConfigFile();
    applyDisplayTransparency(true);
    writeInt(CaptionTimer, TimerProperty::Interval, TickInterval);
    if (isCreated(EditorWindow)) destroy(EditorWindow);
}

void toggleSettings()
{
    const ProgramState& s = state();
    writeInt(TransparencySlider, SliderBarProperty::Position, s.Transparency);
    writeText(SpeedBox, EditBoxProperty::Content, toText(s.ScrollSpeed));
    const int32_t width = readInt(SettingsWindow, Property::Width) == CompactWidth ? ExpandedWidth : CompactWidth;
    writeInt(SettingsWindow, Property::Width, width);
}

void transparencyChanged()
{
    state().Transparency = readInt(TransparencySlider, SliderBarProperty::Position);
    applyDisplayTransparency(false);
}

void speedChanged()
{
    ProgramState& s = state();
    s.ScrollSpeed = toInteger(readText(SpeedBox, EditBoxProperty::Content));
    writeSetting(SettingsSection::ScrollSpeed, toText(s.ScrollSpeed));
}

void checkChanged()
{
    ProgramState& s = state();
    const int32_t i = selectedCaption();
    if (i == 0) return;
    const bool checked = listIsChecked(CaptionList, i - 1);
    const std::string& shown = checked ? TrueText : FalseText;
    completeStoredLines();
    s.ConfigText = ReplaceLine(s.ConfigText, i, withField(GetLine(s.ConfigText, i), Field::Shown, shown));
    s.CaptionRecords[static_cast<size_t>(i - 1)].field(Field::Shown) = shown;
    writeBool(s.CaptionLabels[static_cast<size_t>(i - 1)], Property::Visible, checked);
    writeConfigFile();
}

void operationMenu() { popupMenu(SettingsWindow, OperationMenu, cursorX(), cursorY()); }

void editCaption()
{
    ProgramState& s = state();
    if (readBool(AddCaptionButton, Property::Disabled)) return;
    const int32_t i = selectedCaption();
    if (i == 0) return;
    s.EditMode = 1;
    s.EditIndex = i;
    loadWindow(EditorWindow);
    fillEditor(s.EditIndex);
}

void deleteCaption()
{
    ProgramState& s = state();
    const int32_t i = selectedCaption();
    if (i == 0) return;
    completeStoredLines();
    s.CaptionRecords.erase(s.CaptionRecords.begin() + (i - 1));
    destroy(s.CaptionLabels[static_cast<size_t>(i - 1)]);
    s.CaptionLabels.erase(s.CaptionLabels.begin() + (i - 1));
    for (int32_t j = 1; j <= s.CaptionCount - 1; ++j)
        writeText(s.CaptionLabels[static_cast<size_t>(j - 1)], Property::Tag, toText(j));
    s.CaptionCount -= 1;
    s.CaptionsText = DeleteLine(s.CaptionsText, i);
    s.ConfigText = DeleteLine(s.ConfigText, i);
    listDeleteItem(CaptionList, i - 1);
    keepEditorOnItsCaption(i);
    writeCaptionFiles();
}

void addCaption()
{
    writeConfigFile();
    state().EditMode = 0;
    loadWindow(EditorWindow);
}

}  // namespace tessaly::program
