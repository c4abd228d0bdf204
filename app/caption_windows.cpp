#include "app/caption_windows.h"

#include <string>
#include <vector>

#include "app/caption_lines.h"
#include "app/caption_motion.h"
#include "app/display_area.h"
#include "app/dll_calls.h"
#include "app/notices.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/store_files.h"
#include "app/text_calls.h"

namespace tessaly::program {
namespace {

constexpr int32_t ExtendedStyleIndex = -20;  // GWL_EXSTYLE
constexpr int32_t Transparent = 0x20;        // WS_EX_TRANSPARENT: mouse input falls through
constexpr int32_t Layered = 0x80000;         // WS_EX_LAYERED
constexpr int32_t ColourKeyFlag = 1;         // LWA_COLORKEY
constexpr int32_t AlphaFlag = 2;             // LWA_ALPHA
constexpr int32_t CornerEllipse = 15;
// Windows left to the window system for the tool's own windows once it has
// refused a caption label: the settings window, the editor, menus, messages.
constexpr size_t ReservedWindows = 200;
// No more labels than a Windows process may have windows by default (10,000)
// less that room: where the system sets no such quota (Wine), tens of
// thousands of windows bring its window server down instead of being refused.
constexpr size_t MostCaptionLabels = 10000 - 2 * ReservedWindows;

int32_t layeringFlags(int32_t alpha, int32_t colourKey)
{
    if (colourKey == 0) return AlphaFlag;
    if ((alpha & 0xFF) == 0) return ColourKeyFlag;
    return ColourKeyFlag | AlphaFlag;
}

// Step 10: the style field compared as text.
void applyStyle(UnitRef label, const std::string& style)
{
    if (style == "1" || style == "3") writeFontBool(label, LabelProperty::Font, FontField::Bold, true);
    if (style == "2" || style == "3") writeFontBool(label, LabelProperty::Font, FontField::Italic, true);
}

// The outline or shadow, in its own colour. A copy of the template label
// starts without one.
void applyEffect(UnitRef label, const CaptionRecord& r)
{
    const int32_t effect = captionEffect(r);
    if (effect == Effect::None) return;
    writeInt(label, LabelProperty::CaptionEffect, effect);
    writeInt(label, LabelProperty::EffectColour, toInteger(r.field(Field::EffectColour)));
}

// Step 5: the classic size, widened to the caption measured in its font.
// It runs once the font and the effect are whole (step 10), since bold and
// italic letters and their outline take more room than regular ones.
void sizeCaptionLabel(UnitRef label)
{
    const int32_t captionBytes = textLength(readText(label, LabelProperty::Caption));
    const int32_t fontSize = readFontInt(label, LabelProperty::Font, FontField::Size);
    const TextExtent measured = measureCaption(label);
    const LabelSize size = captionLabelSize(captionBytes, fontSize, {measured.width, measured.height});
    writeInt(label, Property::Width, size.width);
    writeInt(label, Property::Height, size.height);
}

// The last labels made go again, so that the settings window, the editor
// and their messages can still be made.
void leaveRoomForOwnWindows()
{
    std::vector<UnitRef>& labels = state().CaptionLabels;
    const size_t kept = labels.size() > ReservedWindows ? labels.size() - ReservedWindows : 0;
    while (labels.size() > kept) {
        destroy(labels.back());
        labels.pop_back();
    }
}

void tellTooManyCaptions()
{
    ProgramState& s = state();
    if (s.ToldTooManyCaptions) return;
    s.ToldTooManyCaptions = true;
    tellUser("字幕文件里有 " + toText(s.CaptionCount) + " 条字幕，系统只允许本程序显示其中的前 " +
             toText(static_cast<int32_t>(s.CaptionLabels.size())) +
             " 条。\r\n\r\n其余的字幕照常保存在字幕文件里，也列在设置窗口中；删去一些字幕后，其余的就能显示出来。");
}

void placeNewCaption(UnitRef label, const CaptionRecord& r)
{
    Placement stored = captionPlace(label);
    stored.left = toInteger(r.field(Field::Left));
    stored.top = toInteger(r.field(Field::Top));
    showAtStoredPlace(label, stored);
}

}  // namespace

void ApplyWindowTransparency(int32_t windowHandle, int32_t alpha, int32_t colourKey, bool clickThrough)
{
    if (clickThrough)
        SetWindowLongA(windowHandle, ExtendedStyleIndex,
                       GetWindowLongA(windowHandle, ExtendedStyleIndex) | Transparent | Layered);
    else
        SetWindowLongA(windowHandle, ExtendedStyleIndex, Layered);
    SetLayeredWindowAttributes(windowHandle, colourKey, alpha & 0xFF, layeringFlags(alpha, colourKey));
}

int32_t GetClientSize(int32_t windowHandle, int32_t& width, int32_t& height)
{
    ClientRectangle rectangle;
    const int32_t result = GetClientRect(windowHandle, &rectangle);
    width = rectangle.right - rectangle.left;
    height = rectangle.bottom - rectangle.top;
    return result;
}

void ApplyRoundedRegion(int32_t windowHandle, int32_t ellipseWidth, int32_t ellipseHeight)
{
    int32_t width = 0, height = 0;
    GetClientSize(windowHandle, width, height);
    const intptr_t region = CreateRoundRectRgn(0, 0, width, height, ellipseWidth, ellipseHeight);
    // The window owns the region from here on.
    SetWindowRgn(windowHandle, region, 1);
}

int32_t displayColourKey() { return readInt(DisplayWindow, WindowProperty::BackgroundColour); }

bool CreateCaptionLabel(int32_t i)
{
    ProgramState& s = state();
    const CaptionRecord& r = s.CaptionRecords[static_cast<size_t>(i - 1)];
    const UnitRef label = copyUnit(CaptionTemplate);
    if (label == UnitRef{}) return false;
    s.CaptionLabels.push_back(label);
    writeText(label, Property::Tag, toText(i));
    writeText(label, LabelProperty::Caption, r.text);
    writeFontText(label, LabelProperty::Font, FontField::FaceName, r.field(Field::FontName));
    writeFontInt(label, LabelProperty::Font, FontField::Size, toInteger(r.field(Field::FontSize)));
    writeInt(label, LabelProperty::TextColour, toInteger(r.field(Field::TextColour)));
    writeInt(label, LabelProperty::BackgroundColour, toInteger(r.field(Field::BackgroundColour)));
    writeFontBool(label, LabelProperty::Font, FontField::StrikeOut, ToLogical(r.field(Field::StrikeOut)));
    writeFontBool(label, LabelProperty::Font, FontField::Underline, ToLogical(r.field(Field::Underline)));
    applyStyle(label, r.field(Field::Style));
    applyEffect(label, r);
    sizeCaptionLabel(label);
    // Placed once its size is known: a caption off every monitor comes onto the nearest whole.
    placeNewCaption(label, r);
    ApplyRoundedRegion(windowHandle(label), CornerEllipse, CornerEllipse);
    // Shown last, once whole: every change to a shown label redraws the
    // full-screen layered window beneath it, and loading a thousand captions
    // shown first and finished afterwards took twenty times as long.
    writeBool(label, Property::Visible, ToLogical(r.field(Field::Shown)));
    return true;
}

// The window system allows a process only so many windows (about ten
// thousand on Windows). Once it refuses a label, the captions after the last
// label have none; every caption stays in the records, the list and the files.
void createCaptionLabels()
{
    ProgramState& s = state();
    for (int32_t i = 1; i <= s.CaptionCount && s.CaptionLabels.size() < MostCaptionLabels; ++i) {
        if (CreateCaptionLabel(i)) continue;
        leaveRoomForOwnWindows();
        break;
    }
    if (s.CaptionLabels.size() < static_cast<size_t>(s.CaptionCount)) tellTooManyCaptions();
}

bool hasCaptionLabel(int32_t i) { return i >= 1 && static_cast<size_t>(i) <= state().CaptionLabels.size(); }

void destroyCaptionLabels()
{
    ProgramState& s = state();
    for (const UnitRef& label : s.CaptionLabels) destroy(label);
    s.CaptionLabels.clear();
    forgetCaptionLabels();
}

}  // namespace tessaly::program
