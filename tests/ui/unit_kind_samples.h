// One sample of every unit kind with a value other than the default in every
// field of its type data, written down independently of the runtime's rows:
// the description key the packer takes, the value as a description gives it,
// the property that answers it and how the block encodes it, in the order of
// the block. The packer's output, the units' property reads and the type data
// they write back are all checked against it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ui/byte_writer.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data_io.h"

namespace tessaly::ui::samples {

enum class Wire { I32, U32, U16, Text, File, Font, Items, Words };

struct SampleField {
    std::string_view key;
    std::string_view value;
    int32_t index;
    Wire wire;
};

struct KindSample {
    std::string_view kind;  // the description's section name
    uint32_t typeId;
    uint32_t version;
    std::vector<SampleField> fields;
};

// What a "@file" value names holds this.
inline constexpr std::string_view FileContent = "not a picture";
inline constexpr std::string_view SampleFile = "@sample.bin";
inline constexpr std::string_view SampleFont = "20 700 134 Arial";

using enum Wire;

inline const std::vector<KindSample>& kindSamples()
{
    static const std::vector<KindSample> all = {
        {"window", TypeId::Window, 6, {
            {"border", "2", 9, I32}, {"backgroundPictureMode", "1", 12, I32}, {"backgroundColour", "0x102030", 10, U32},
            {"maximiseBox", "1", 16, I32}, {"minimiseBox", "0", 17, I32}, {"controlBox", "0", 15, I32},
            {"windowState", "1", 18, I32}, {"movable", "0", 19, I32}, {"soundRepetition", "1", 14, I32},
            {"enterMovesFocus", "1", 21, I32}, {"escCloses", "1", 22, I32}, {"f1OpensHelp", "1", 23, I32},
            {"helpContext", "77", 25, I32}, {"showInTaskBar", "0", 26, I32}, {"moveByDragging", "1", 27, I32},
            {"shape", "3", 28, I32}, {"alwaysOnTop", "1", 29, I32}, {"storedSwitch", "1", 30, I32},
            {"className", "SampleClass", 31, Text}, {"backgroundPicture", SampleFile, 11, File},
            {"icon", SampleFile, 20, File}, {"backgroundSound", SampleFile, 13, File}, {"title", "Title", 8, Text},
            {"helpFile", "help.chm", 24, Text}}},
        {"Label", TypeId::Label, 3, {
            {"textEffect", "2", 9, I32}, {"frameWidth", "11", 11, I32}, {"border", "3", 10, I32},
            {"frameColour1", "0x010203", 12, U32}, {"frameColour2", "0x040506", 13, U32},
            {"frameColour3", "0x070809", 14, U32}, {"textColour", "0x0000FF", 16, U32},
            {"backgroundColour", "0x00FF00", 17, U32}, {"pictureMode", "2", 19, I32}, {"gradient", "4", 20, I32},
            {"gradientColour1", "0x111111", 21, U32}, {"gradientColour2", "0x222222", 22, U32},
            {"gradientColour3", "0x333333", 23, U32}, {"horizontalAlignment", "2", 24, I32},
            {"verticalAlignment", "2", 26, I32}, {"wordWrap", "1", 25, I32}, {"font", SampleFont, 15, Font},
            {"picture", SampleFile, 18, File}, {"caption", "Caption", 8, Text}, {"storedText1", "one", 27, Text},
            {"storedText2", "two", 28, Text}, {"captionEffect", "1", 29, I32}, {"effectColour", "0x445566", 30, U32}}},
        {"Button", TypeId::Button, 1, {
            {"defaultButton", "1", 9, I32}, {"horizontalAlignment", "0", 11, I32}, {"verticalAlignment", "2", 12, I32},
            {"picture", SampleFile, 8, File}, {"font", SampleFont, 13, Font}, {"caption", "Press", 10, Text}}},
        {"GroupBox", TypeId::GroupBox, 1, {
            {"captionAlignment", "2", 9, I32}, {"textColour", "0x123456", 10, U32},
            {"backgroundColour", "0x654321", 11, U32}, {"font", SampleFont, 12, Font}, {"caption", "Group", 8, Text}}},
        {"CheckBox", TypeId::CheckBox, 2, {
            {"pushLike", "1", 9, I32}, {"flat", "1", 10, I32}, {"textOnLeft", "1", 12, I32},
            {"horizontalAlignment", "2", 13, I32}, {"verticalAlignment", "0", 14, I32},
            {"textColour", "0x0A0B0C", 15, U32}, {"backgroundColour", "0x0C0B0A", 16, U32}, {"checked", "1", 18, I32},
            {"picture", SampleFile, 8, File}, {"font", SampleFont, 17, Font}, {"caption", "Tick", 11, Text},
            {"storedText1", "s1", 19, Text}, {"storedText2", "s2", 20, Text}}},
        // A simple box, so it keeps an edit field; choosing item 1 shows its text there.
        {"ComboBox", TypeId::ComboBox, 3, {
            {"type", "1", 8, I32}, {"maximumLength", "40", 10, I32}, {"selectionStart", "1", 11, I32},
            {"selectionLength", "2", 12, I32}, {"sorted", "1", 14, I32}, {"extraItemHeight", "3", 15, I32},
            {"textColour", "0x0D0E0F", 16, U32}, {"backgroundColour", "0x0F0E0D", 17, U32},
            {"currentItem", "1", 19, I32}, {"font", SampleFont, 18, Font}, {"itemValues", "7 9", 21, Words},
            {"content", "beta", 9, Text}, {"items", "alpha|beta", 20, Items}, {"storedText1", "c1", 22, Text},
            {"storedText2", "c2", 23, Text}, {"storedSwitch", "1", 24, I32}}},
        // Capitals, as the box turns every letter into one.
        {"EditBox", TypeId::EditBox, 2, {
            {"border", "2", 9, I32}, {"textColour", "0x203040", 10, U32}, {"backgroundColour", "0x405060", 11, U32},
            {"hideSelection", "1", 13, I32}, {"maximumLength", "50", 14, I32}, {"multiLine", "1", 15, I32},
            {"scrollBars", "3", 16, I32}, {"alignment", "1", 17, I32}, {"inputMode", "1", 18, I32},
            {"passwordChar", "65", 19, U16}, {"letterCase", "2", 20, I32}, {"upDownMode", "1", 21, I32},
            {"upDownLower", "5", 22, I32}, {"upDownUpper", "60", 23, I32}, {"selectionStart", "1", 24, I32},
            {"selectionLength", "3", 25, I32}, {"font", SampleFont, 12, Font}, {"content", "HELLO", 8, Text},
            {"storedText1", "e1", 27, Text}, {"storedText2", "e2", 28, Text}}},
        {"PicBox", TypeId::PicBox, 2, {
            {"border", "2", 8, I32}, {"backgroundColour", "0x506070", 9, U32}, {"displayMode", "1", 11, I32},
            {"animate", "1", 12, I32}, {"picture", SampleFile, 10, File}, {"storedText1", "p1", 13, Text},
            {"storedText2", "p2", 14, Text}}},
        {"ColorPicker", TypeId::ColorPicker, 1, {{"colour", "0x336699", 8, U32}, {"allowNoColour", "1", 9, I32}}},
        {"SliderBar", TypeId::SliderBar, 1, {
            {"border", "1", 8, I32}, {"orientation", "1", 9, I32}, {"tickStyle", "3", 10, I32},
            {"tickFrequency", "5", 11, I32}, {"selectionAllowed", "1", 12, I32}, {"selectionStart", "10", 13, I32},
            {"selectionLength", "20", 14, I32}, {"pageStep", "7", 15, I32}, {"lineStep", "3", 16, I32},
            {"minimum", "5", 17, I32}, {"maximum", "90", 18, I32}, {"thumbPosition", "40", 19, I32}}},
        {"Timer", TypeId::Timer, 1, {{"interval", "250", 8, I32}}},
        {"ChkListBox", TypeId::ChkListBox, 1, {
            {"border", "2", 8, I32}, {"multiColumn", "1", 9, I32}, {"listSwitch", "1", 10, I32},
            {"extraItemHeight", "4", 11, I32}, {"singleCheck", "1", 12, I32}, {"currentItem", "2", 14, I32},
            {"font", SampleFont, 13, Font}, {"items", "alpha|beta|gamma", 15, Items},
            {"itemValues", "3 5 8", 16, Words}}},
    };
    return all;
}

inline std::vector<std::string> splitAt(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(separator, start), text.size());
        parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

inline uint32_t numberOf(std::string_view text) { return static_cast<uint32_t>(std::stoll(std::string(text), nullptr, 0)); }

inline Bytes sampleFont()
{
    const auto w = splitAt(SampleFont, ' ');
    return makeLogFont(static_cast<int32_t>(numberOf(w[0])), static_cast<int32_t>(numberOf(w[1])),
                       static_cast<uint8_t>(numberOf(w[2])), w[3]);
}

// The field as a property answers it: a number, or the bytes it points to.
inline Bytes answerBytes(const SampleField& f)
{
    ByteWriter out;
    switch (f.wire) {
    case File: return Bytes(FileContent.begin(), FileContent.end());
    case Font: return sampleFont();
    case Text: return Bytes(f.value.begin(), f.value.end());
    case Items: writeListItems(out, splitAt(f.value, '|')); break;
    case Words:
        for (const std::string& w : splitAt(f.value, ' ')) out.u32(numberOf(w));
        break;
    case U16: return Bytes{static_cast<uint8_t>(numberOf(f.value))};  // a character, answered as text
    default: break;
    }
    return out.take();
}

// The block the sample stands for, in its newest version.
inline Bytes sampleBlock(const KindSample& k)
{
    ByteWriter out;
    out.u32(k.version);
    for (const SampleField& f : k.fields) {
        switch (f.wire) {
        case I32: case U32: out.u32(numberOf(f.value)); break;
        case U16: out.u16(static_cast<uint16_t>(numberOf(f.value))); break;
        case Items: out.raw(answerBytes(f)); break;
        default: out.counted(ByteView(answerBytes(f))); break;
        }
    }
    return out.take();
}

}  // namespace tessaly::ui::samples
