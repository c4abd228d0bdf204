#include "tools/packer/type_fields.h"

#include <array>
#include <functional>
#include <map>
#include <stdexcept>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/button_data.h"
#include "runtime/ui/units/check_box_data.h"
#include "runtime/ui/units/check_list_box_data.h"
#include "runtime/ui/units/color_picker_data.h"
#include "runtime/ui/units/combo_box_data.h"
#include "runtime/ui/units/edit_box_data.h"
#include "runtime/ui/units/group_box_data.h"
#include "runtime/ui/units/label_data.h"
#include "runtime/ui/units/pic_box_data.h"
#include "runtime/ui/units/slider_bar_data.h"
#include "runtime/ui/units/timer_data.h"
#include "runtime/ui/units/type_data_io.h"
#include "runtime/ui/units/window_data.h"
#include "tools/packer/text_values.h"

namespace tessaly::pack {
namespace {

namespace fs = std::filesystem;
using ui::Bytes;

template <class D>
using Setter = std::function<void(D&, const std::string&, const fs::path&)>;
template <class D>
using FieldTable = std::map<std::string, Setter<D>>;

template <class D, class T>
Setter<D> number(T D::*m)
{
    return [m](D& d, const std::string& v, const fs::path&) { d.*m = static_cast<T>(parseNumber(v)); };
}

template <class D>
Setter<D> colourAt(std::array<uint32_t, 3> D::*m, size_t i)
{
    return [m, i](D& d, const std::string& v, const fs::path&) { (d.*m)[i] = static_cast<uint32_t>(parseNumber(v)); };
}

template <class D>
Setter<D> text(std::string D::*m)
{
    return [m](D& d, const std::string& v, const fs::path&) { d.*m = toGbk(v); };
}

// "@file": the file's bytes; empty: no data.
template <class D>
Setter<D> file(Bytes D::*m)
{
    return [m](D& d, const std::string& v, const fs::path& base) {
        if (v.empty()) return (d.*m).clear();
        if (v[0] != '@') throw std::runtime_error("expected @file, got \"" + v + "\"");
        d.*m = readFile(base / v.substr(1));
    };
}

// "height weight charset face": a LOGFONT; empty: no font.
template <class D>
Setter<D> font(Bytes D::*m)
{
    return [m](D& d, const std::string& v, const fs::path&) {
        const auto w = splitWords(v);
        if (w.empty()) return (d.*m).clear();
        if (w.size() != 4) throw std::runtime_error("font needs height, weight, character set and face");
        d.*m = ui::makeLogFont(static_cast<int32_t>(parseNumber(w[0])), static_cast<int32_t>(parseNumber(w[1])),
                               static_cast<uint8_t>(parseNumber(w[2])), toGbk(w[3]));
    };
}

// Space-separated numbers as 32-bit words.
template <class D>
Setter<D> words(Bytes D::*m)
{
    return [m](D& d, const std::string& v, const fs::path&) {
        ui::ByteWriter out;
        for (const auto& w : splitWords(v)) out.u32(static_cast<uint32_t>(parseNumber(w)));
        d.*m = out.take();
    };
}

// Items separated by "|".
template <class D>
Setter<D> items(std::vector<std::string> D::*m)
{
    return [m](D& d, const std::string& v, const fs::path&) {
        (d.*m).clear();
        if (v.empty()) return;
        for (const auto& item : splitWords(v, '|')) (d.*m).push_back(toGbk(item));
    };
}

template <class D>
Bytes build(const Entries& entries, const fs::path& base, const FieldTable<D>& table, Bytes (*write)(const D&),
            D d = {})
{
    for (const auto& [key, value] : entries) {
        const auto it = table.find(key);
        if (it == table.end()) throw std::runtime_error("unknown key \"" + key + "\"");
        it->second(d, value, base);
    }
    return write(d);
}

Bytes windowData(const Entries& e, const fs::path& base)
{
    using D = ui::WindowData;
    static const FieldTable<D> t = {
        {"border", number(&D::border)}, {"backgroundPictureMode", number(&D::backgroundPictureMode)},
        {"backgroundColour", number(&D::backgroundColour)}, {"maximiseBox", number(&D::maximiseBox)},
        {"minimiseBox", number(&D::minimiseBox)}, {"controlBox", number(&D::controlBox)},
        {"windowState", number(&D::windowState)}, {"movable", number(&D::movable)},
        {"soundRepetition", number(&D::soundRepetition)}, {"enterMovesFocus", number(&D::enterMovesFocus)},
        {"escCloses", number(&D::escCloses)}, {"f1OpensHelp", number(&D::f1OpensHelp)},
        {"helpContext", number(&D::helpContext)}, {"showInTaskBar", number(&D::showInTaskBar)},
        {"moveByDragging", number(&D::moveByDragging)}, {"shape", number(&D::shape)},
        {"alwaysOnTop", number(&D::alwaysOnTop)}, {"storedSwitch", number(&D::storedSwitch)},
        {"className", text(&D::className)}, {"backgroundPicture", file(&D::backgroundPicture)},
        {"icon", file(&D::icon)}, {"backgroundSound", file(&D::backgroundSound)},
        {"title", text(&D::title)}, {"helpFile", text(&D::helpFile)},
    };
    return build(e, base, t, &ui::writeWindowData);
}

Bytes labelData(const Entries& e, const fs::path& base)
{
    using D = ui::LabelData;
    static const FieldTable<D> t = {
        {"textEffect", number(&D::textEffect)}, {"frameWidth", number(&D::frameWidth)}, {"border", number(&D::border)},
        {"frameColour1", colourAt(&D::frameColours, 0)}, {"frameColour2", colourAt(&D::frameColours, 1)},
        {"frameColour3", colourAt(&D::frameColours, 2)}, {"textColour", number(&D::textColour)},
        {"backgroundColour", number(&D::backgroundColour)}, {"pictureMode", number(&D::pictureMode)},
        {"gradient", number(&D::gradient)}, {"gradientColour1", colourAt(&D::gradientColours, 0)},
        {"gradientColour2", colourAt(&D::gradientColours, 1)}, {"gradientColour3", colourAt(&D::gradientColours, 2)},
        {"horizontalAlignment", number(&D::horizontalAlignment)}, {"verticalAlignment", number(&D::verticalAlignment)},
        {"wordWrap", number(&D::wordWrap)}, {"font", font(&D::font)}, {"picture", file(&D::picture)},
        {"caption", text(&D::caption)}, {"storedText1", text(&D::storedText1)}, {"storedText2", text(&D::storedText2)},
        {"captionEffect", number(&D::captionEffect)}, {"effectColour", number(&D::effectColour)},
    };
    return build(e, base, t, &ui::writeLabelData);
}

Bytes buttonData(const Entries& e, const fs::path& base)
{
    using D = ui::ButtonData;
    static const FieldTable<D> t = {
        {"defaultButton", number(&D::defaultButton)}, {"horizontalAlignment", number(&D::horizontalAlignment)},
        {"verticalAlignment", number(&D::verticalAlignment)}, {"picture", file(&D::picture)},
        {"font", font(&D::font)}, {"caption", text(&D::caption)},
    };
    return build(e, base, t, &ui::writeButtonData);
}

Bytes groupBoxData(const Entries& e, const fs::path& base)
{
    using D = ui::GroupBoxData;
    static const FieldTable<D> t = {
        {"captionAlignment", number(&D::captionAlignment)}, {"textColour", number(&D::textColour)},
        {"backgroundColour", number(&D::backgroundColour)}, {"font", font(&D::font)}, {"caption", text(&D::caption)},
    };
    return build(e, base, t, &ui::writeGroupBoxData);
}

Bytes checkBoxData(const Entries& e, const fs::path& base)
{
    using D = ui::CheckBoxData;
    static const FieldTable<D> t = {
        {"pushLike", number(&D::pushLike)}, {"flat", number(&D::flat)}, {"textOnLeft", number(&D::textOnLeft)},
        {"horizontalAlignment", number(&D::horizontalAlignment)}, {"verticalAlignment", number(&D::verticalAlignment)},
        {"textColour", number(&D::textColour)}, {"backgroundColour", number(&D::backgroundColour)},
        {"checked", number(&D::checked)}, {"picture", file(&D::picture)}, {"font", font(&D::font)},
        {"caption", text(&D::caption)}, {"storedText1", text(&D::storedText1)}, {"storedText2", text(&D::storedText2)},
    };
    return build(e, base, t, &ui::writeCheckBoxData);
}

Bytes comboBoxData(const Entries& e, const fs::path& base)
{
    using D = ui::ComboBoxData;
    static const FieldTable<D> t = {
        {"type", number(&D::type)}, {"maximumLength", number(&D::maximumLength)},
        {"selectionStart", number(&D::selectionStart)}, {"selectionLength", number(&D::selectionLength)},
        {"sorted", number(&D::sorted)}, {"extraItemHeight", number(&D::extraItemHeight)},
        {"textColour", number(&D::textColour)}, {"backgroundColour", number(&D::backgroundColour)},
        {"currentItem", number(&D::currentItem)}, {"font", font(&D::font)}, {"itemValues", words(&D::itemValues)},
        {"content", text(&D::content)}, {"items", items(&D::items)}, {"storedText1", text(&D::storedText1)},
        {"storedText2", text(&D::storedText2)}, {"storedSwitch", number(&D::storedSwitch)},
    };
    return build(e, base, t, &ui::writeComboBoxData);
}

Bytes editBoxData(const Entries& e, const fs::path& base)
{
    using D = ui::EditBoxData;
    static const FieldTable<D> t = {
        {"border", number(&D::border)}, {"textColour", number(&D::textColour)},
        {"backgroundColour", number(&D::backgroundColour)}, {"hideSelection", number(&D::hideSelection)},
        {"maximumLength", number(&D::maximumLength)}, {"multiLine", number(&D::multiLine)},
        {"scrollBars", number(&D::scrollBars)}, {"alignment", number(&D::alignment)},
        {"inputMode", number(&D::inputMode)}, {"passwordChar", number(&D::passwordChar)},
        {"letterCase", number(&D::letterCase)}, {"upDownMode", number(&D::upDownMode)},
        {"upDownLower", number(&D::upDownLower)}, {"upDownUpper", number(&D::upDownUpper)},
        {"selectionStart", number(&D::selectionStart)}, {"selectionLength", number(&D::selectionLength)},
        {"font", font(&D::font)}, {"content", text(&D::content)}, {"storedText1", text(&D::storedText1)},
        {"storedText2", text(&D::storedText2)},
    };
    return build(e, base, t, &ui::writeEditBoxData);
}

Bytes picBoxData(const Entries& e, const fs::path& base)
{
    using D = ui::PicBoxData;
    static const FieldTable<D> t = {
        {"border", number(&D::border)}, {"backgroundColour", number(&D::backgroundColour)},
        {"displayMode", number(&D::displayMode)}, {"animate", number(&D::animate)}, {"picture", file(&D::picture)},
        {"storedText1", text(&D::storedText1)}, {"storedText2", text(&D::storedText2)},
    };
    return build(e, base, t, &ui::writePicBoxData);
}

Bytes colorPickerData(const Entries& e, const fs::path& base)
{
    using D = ui::ColorPickerData;
    static const FieldTable<D> t = {{"colour", number(&D::colour)}, {"allowNoColour", number(&D::allowNoColour)}};
    return build(e, base, t, &ui::writeColorPickerData);
}

Bytes sliderBarData(const Entries& e, const fs::path& base)
{
    using D = ui::SliderBarData;
    static const FieldTable<D> t = {
        {"border", number(&D::border)}, {"orientation", number(&D::orientation)},
        {"tickStyle", number(&D::tickStyle)}, {"tickFrequency", number(&D::tickFrequency)},
        {"selectionAllowed", number(&D::selectionAllowed)}, {"selectionStart", number(&D::selectionStart)},
        {"selectionLength", number(&D::selectionLength)}, {"pageStep", number(&D::pageStep)},
        {"lineStep", number(&D::lineStep)}, {"minimum", number(&D::minimum)}, {"maximum", number(&D::maximum)},
        {"thumbPosition", number(&D::position)},
    };
    return build(e, base, t, &ui::writeSliderBarData);
}

Bytes timerData(const Entries& e, const fs::path& base)
{
    using D = ui::TimerData;
    static const FieldTable<D> t = {{"interval", number(&D::interval)}};
    return build(e, base, t, &ui::writeTimerData);
}

Bytes checkListBoxData(const Entries& e, const fs::path& base)
{
    using D = ui::CheckListBoxData;
    static const FieldTable<D> t = {
        {"border", number(&D::border)}, {"multiColumn", number(&D::multiColumn)},
        {"listSwitch", number(&D::listSwitch)}, {"extraItemHeight", number(&D::extraItemHeight)},
        {"singleCheck", number(&D::singleCheck)}, {"currentItem", number(&D::currentItem)},
        {"font", font(&D::font)}, {"items", items(&D::items)}, {"itemValues", words(&D::itemValues)},
    };
    return build(e, base, t, &ui::writeCheckListBoxData);
}

struct TypeEntry {
    const char* kind;
    uint32_t typeId;
    Bytes (*build)(const Entries&, const fs::path&);
};

constexpr std::array<TypeEntry, 12> Types = {{
    {"window", ui::TypeId::Window, &windowData},
    {"Label", ui::TypeId::Label, &labelData},
    {"Button", ui::TypeId::Button, &buttonData},
    {"GroupBox", ui::TypeId::GroupBox, &groupBoxData},
    {"CheckBox", ui::TypeId::CheckBox, &checkBoxData},
    {"ComboBox", ui::TypeId::ComboBox, &comboBoxData},
    {"EditBox", ui::TypeId::EditBox, &editBoxData},
    {"PicBox", ui::TypeId::PicBox, &picBoxData},
    {"ColorPicker", ui::TypeId::ColorPicker, &colorPickerData},
    {"SliderBar", ui::TypeId::SliderBar, &sliderBarData},
    {"Timer", ui::TypeId::Timer, &timerData},
    {"ChkListBox", ui::TypeId::ChkListBox, &checkListBoxData},
}};

}  // namespace

uint32_t unitTypeOf(const std::string& kind)
{
    for (const TypeEntry& t : Types) {
        if (kind == t.kind && t.typeId != ui::TypeId::Window) return t.typeId;
    }
    return 0;
}

Bytes buildTypeData(uint32_t typeId, const Entries& entries, const fs::path& baseDir)
{
    for (const TypeEntry& t : Types) {
        if (t.typeId == typeId) return t.build(entries, baseDir);
    }
    throw std::runtime_error("no type data for type " + std::to_string(typeId));
}

}  // namespace tessaly::pack
