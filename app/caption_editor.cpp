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

// Fields 1 to 6 and 10 to 12 as the editor's units hold them.
struct EditedFields {
    std::string f1, f2, f3, f4, f5, f6, f10, f11, f12;
};

EditedFields readEditedFields()
{
    EditedFields f;
    f.f1 = comboItemText(FontCombo, selection(FontCombo));
    f.f2 = comboItemText(SizeCombo, selection(SizeCombo));
    f.f3 = toText(readInt(ColourPicker, ColorPickerProperty::Colour));
    f.f4 = toText(checked(TransparentBox) ? displayColourKey() : readInt(BackgroundPicker, ColorPickerProperty::Colour));
    f.f5 = toText(checked(ScrollBox));
    f.f6 = toText(selection(DirectionCombo) + 1);
    f.f10 = toText(checked(StrikeOutBox));
    f.f11 = toText(checked(UnderlineBox));
    f.f12 = toText(selection(StyleCombo));
    return f;
}

void saveEditedCaption(int32_t k, const std::string& text, const EditedFields& f)
{
    ProgramState& s = state();
    const CaptionRecord& r = s.CaptionRecords[static_cast<size_t>(k - 1)];
    const std::string line = joinFields({f.f1, f.f2, f.f3, f.f4, f.f5, f.f6, r.field(Field::Shown), r.field(Field::Left),
                                         r.field(Field::Top), f.f10, f.f11, f.f12});
    s.ConfigText = ReplaceLine(s.ConfigText, k, line);
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

void saveNewCaption(const std::string& text, const EditedFields& f)
{
    ProgramState& s = state();
    dropEmptyCaptions();
    s.CaptionsText = TrimLineBreaks(withLineAppended(s.CaptionsText, text));
    s.ConfigText = TrimLineBreaks(withLineAppended(s.ConfigText, joinFields({f.f1, f.f2, f.f3, f.f4, f.f5, f.f6}) +
                                                                     DefaultPlacement + joinFields({f.f10, f.f11, f.f12})));
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
    const EditedFields fields = readEditedFields();
    completeStoredLines();
    if (s.EditMode == 1) {
        if (s.EditIndex < 1 || s.EditIndex > s.CaptionCount) return;
        saveEditedCaption(s.EditIndex, text, fields);
    } else {
        saveNewCaption(text, fields);
    }
    writeCaptionFiles();
    LoadAllCaptions();
    destroy(EditorWindow);
}

}  // namespace tessaly::program
