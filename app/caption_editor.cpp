#include "app/caption_editor.h"

#include <string>
#include <vector>

#include "app/caption_lines.h"
#include "app/caption_record.h"
#include "app/caption_store.h"
#include "app/caption_windows.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/store_files.h"
#include "app/system_calls.h"
#include "app/text_calls.h"

namespace tessaly::program {
namespace {

constexpr int32_t SizeCount = 45;  // 8, 10, ... 96 points
const std::string PreferredFont = "宋体";
const std::string EmptyCaptionWarning = "字幕内容不能为空，请输入要显示的文字。";
const std::string EditorTitle = "字幕设置";
const std::string UnreadStoreWarning =
    "字幕文件现在无法读取（可能正被其他程序占用）。为了不覆盖其中的字幕，暂时不能保存，请稍后再按“确认”。";

void select(UnitRef combo, int32_t index) { writeInt(combo, ComboBoxProperty::CurrentItem, index); }
int32_t selection(UnitRef combo) { return readInt(combo, ComboBoxProperty::CurrentItem); }
bool checked(UnitRef box) { return readBool(box, CheckBoxProperty::Checked); }
void check(UnitRef box, bool on) { writeBool(box, CheckBoxProperty::Checked, on); }

// The first item whose text is exactly `text`; the selection stays when none is.
void selectItemText(UnitRef combo, const std::string& text)
{
    const int32_t count = comboItemCount(combo);
    for (int32_t i = 0; i < count; ++i) {
        if (comboItemText(combo, i) == text) {
            select(combo, i);
            return;
        }
    }
}

void fillSizes()
{
    for (int32_t i = 1; i <= SizeCount; ++i) comboAddItem(SizeCombo, toText(6 + 2 * i), 6 + 2 * i);
    select(SizeCombo, 0);
}

// Vertical variants lose their "@"; the last item named "宋体" stays selected.
void fillFonts()
{
    const std::vector<std::string> names = fontNames();
    for (size_t j = 1; j <= names.size(); ++j) {
        const std::string name = replaceAll(names[j - 1], "@", "");
        const int32_t index = comboAddItem(FontCombo, name, static_cast<int32_t>(j));
        if (name == PreferredFont) select(FontCombo, index);
    }
}

// Fields 1 to 6 and 10 to 14 as the editor's units hold them, set on the
// record of the caption being saved; the others stay as they are.
void takeEditedFields(CaptionRecord& r)
{
    r.field(Field::FontName) = comboItemText(FontCombo, selection(FontCombo));
    r.field(Field::FontSize) = comboItemText(SizeCombo, selection(SizeCombo));
    r.field(Field::TextColour) = toText(readInt(ColourPicker, ColorPickerProperty::Colour));
    r.field(Field::BackgroundColour) =
        toText(checked(TransparentBox) ? displayColourKey() : readInt(BackgroundPicker, ColorPickerProperty::Colour));
    r.field(Field::Scrolls) = toText(checked(ScrollBox));
    r.field(Field::Direction) = toText(selection(DirectionCombo) + 1);
    r.field(Field::StrikeOut) = toText(checked(StrikeOutBox));
    r.field(Field::Underline) = toText(checked(UnderlineBox));
    r.field(Field::Style) = toText(selection(StyleCombo));
    r.field(Field::Effect) = toText(selection(EffectCombo));
    r.field(Field::EffectColour) = toText(readInt(EffectPicker, ColorPickerProperty::Colour));
    fitEditedFieldCount(r);
}

// The shown flag, the place and the parts the tool does not know stay.
void saveEditedCaption(int32_t k, const std::string& text)
{
    ProgramState& s = state();
    CaptionRecord edited = s.CaptionRecords[static_cast<size_t>(k - 1)];
    takeEditedFields(edited);
    s.ConfigText = ReplaceLine(s.ConfigText, k, configurationLine(edited));
    s.CaptionsText = ReplaceLine(s.CaptionsText, k, text);
}

// A caption line left empty would vanish in the trimming below while its
// configuration line stayed, so such pairs leave both texts together first;
// their configuration lines go to a backup, as lines without a caption do.
void dropEmptyCaptions()
{
    ProgramState& s = state();
    std::vector<std::string> dropped;
    for (int32_t k = s.CaptionCount; k >= 1; --k) {
        if (!s.CaptionRecords[static_cast<size_t>(k - 1)].text.empty()) continue;
        const std::string line = GetLine(s.ConfigText, k);
        if (!line.empty()) dropped.insert(dropped.begin(), line);
        s.CaptionsText = DeleteLine(s.CaptionsText, k);
        s.ConfigText = DeleteLine(s.ConfigText, k);
    }
    if (!dropped.empty()) oweBackup(joinLines(dropped));
}

// A new caption starts hidden at 10, 10, as newCaptionFields has it.
void saveNewCaption(const std::string& text)
{
    ProgramState& s = state();
    CaptionRecord added;
    added.fields = newCaptionFields();
    takeEditedFields(added);
    dropEmptyCaptions();
    s.CaptionsText = TrimLineBreaks(withLineAppended(s.CaptionsText, text));
    s.ConfigText = TrimLineBreaks(withLineAppended(s.ConfigText, configurationLine(added)));
}

}  // namespace

void editorCreated()
{
    writeBool(AddCaptionButton, Property::Disabled, true);
    fillSizes();
    fillFonts();
}

void editorClosing() { writeBool(AddCaptionButton, Property::Disabled, false); }

void fillEditor(int32_t k)
{
    const CaptionRecord& r = state().CaptionRecords[static_cast<size_t>(k - 1)];
    writeText(ContentBox, EditBoxProperty::Content, r.text);
    selectItemText(FontCombo, r.field(Field::FontName));
    selectItemText(SizeCombo, r.field(Field::FontSize));
    writeInt(ColourPicker, ColorPickerProperty::Colour, toInteger(r.field(Field::TextColour)));
    if (toInteger(r.field(Field::BackgroundColour)) == displayColourKey()) {
        writeBool(BackgroundPicker, Property::Disabled, true);
        check(TransparentBox, true);
    } else {
        writeInt(BackgroundPicker, ColorPickerProperty::Colour, toInteger(r.field(Field::BackgroundColour)));
    }
    const bool scrolls = r.field(Field::Scrolls) == TrueText;
    check(ScrollBox, scrolls);
    writeBool(DirectionCombo, Property::Disabled, !scrolls);
    select(DirectionCombo, toInteger(r.field(Field::Direction)) - 1);
    check(StrikeOutBox, r.field(Field::StrikeOut) == TrueText);
    check(UnderlineBox, r.field(Field::Underline) == TrueText);
    select(StyleCombo, toInteger(r.field(Field::Style)));
    select(EffectCombo, captionEffect(r));
    writeInt(EffectPicker, ColorPickerProperty::Colour, toInteger(r.field(Field::EffectColour)));
}

void transparentClicked() { writeBool(BackgroundPicker, Property::Disabled, checked(TransparentBox)); }

void scrollClicked() { writeBool(DirectionCombo, Property::Disabled, !checked(ScrollBox)); }

// An empty caption text is refused: it would be trimmed away while its
// configuration line stayed, and the two files would stop pairing. So is a
// caption for a store whose files could not be read yet: saving it would
// write over captions the tool has never seen.
void confirmCaption()
{
    ProgramState& s = state();
    const std::string text = readText(ContentBox, EditBoxProperty::Content);
    if (text.empty()) {
        showMessage(windowHandle(EditorWindow), EmptyCaptionWarning, EditorTitle);
        return;
    }
    if (!storeKnowsItsFiles()) {
        showMessage(windowHandle(EditorWindow), UnreadStoreWarning, EditorTitle);
        return;
    }
    completeStoredLines();
    if (s.EditMode == 1) {
        if (s.EditIndex < 1 || s.EditIndex > s.CaptionCount) return;
        saveEditedCaption(s.EditIndex, text);
    } else {
        saveNewCaption(text);
    }
    writeCaptionFiles();
    LoadAllCaptions();
    destroy(EditorWindow);
}

}  // namespace tessaly::program
