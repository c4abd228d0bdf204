// The program's three windows and the units and menus its routines use, by
// the identifiers their templates give them, and the indices of the unit
// properties it reads and writes.
#pragma once

#include <cstdint>

#include "app/unit_calls.h"
#include "runtime/core/type_code.h"

namespace tessaly::program {

// The display window: full-screen, layered, keyed on its background colour.
inline constexpr uint32_t DisplayWindowId = 0x52010003;
inline constexpr UnitRef DisplayWindow{DisplayWindowId, 0, TypeCode::Window};
inline constexpr UnitRef CaptionTemplate{DisplayWindowId, 0x16012A37, TypeCode::Label};  // "标签1"
inline constexpr UnitRef CaptionTimer{DisplayWindowId, 0x16010006, TypeCode::Timer};     // "时钟1"
inline constexpr UnitRef DisplayWatchLabel{DisplayWindowId, 0x16012A40, TypeCode::Label};  // "标签_显示器"
inline constexpr UnitRef TrayMenu{DisplayWindowId, 0x26012A38, TypeCode::Menu};          // "托盘菜单"
inline constexpr UnitRef StartWithWindowsItem{DisplayWindowId, 0x26012A3A, TypeCode::Menu};  // "开机启动"

// The settings window.
inline constexpr uint32_t SettingsWindowId = 0x520154F4;
inline constexpr UnitRef SettingsWindow{SettingsWindowId, 0, TypeCode::Window};
inline constexpr UnitRef CaptionList{SettingsWindowId, 0x160154F5, TypeCode::ChkListBox};        // "选择列表框1"
inline constexpr UnitRef AddCaptionButton{SettingsWindowId, 0x160154FA, TypeCode::Button};       // "按钮_添加字幕"
inline constexpr UnitRef SettingsButton{SettingsWindowId, 0x16015620, TypeCode::Button};         // "按钮_设置"
inline constexpr UnitRef OperationMenu{SettingsWindowId, 0x260155E8, TypeCode::Menu};            // "操作菜单"
inline constexpr UnitRef TransparencySlider{SettingsWindowId, 0x16015624, TypeCode::SliderBar};  // "滑块条1"
inline constexpr UnitRef SpeedBox{SettingsWindowId, 0x16015643, TypeCode::EditBox};              // "编辑框_滚动速度"
inline constexpr UnitRef HideHotkeyBox{SettingsWindowId, 0x16015651, TypeCode::EditBox};         // "编辑框_隐藏快捷键"
inline constexpr UnitRef ShowHotkeyBox{SettingsWindowId, 0x16015678, TypeCode::EditBox};         // "编辑框_显示快捷键"

// The caption editor.
inline constexpr uint32_t EditorWindowId = 0x52015536;
inline constexpr UnitRef EditorWindow{EditorWindowId, 0, TypeCode::Window};
inline constexpr UnitRef ContentBox{EditorWindowId, 0x16015538, TypeCode::EditBox};             // "编辑框_内容"
inline constexpr UnitRef FontCombo{EditorWindowId, 0x1601553F, TypeCode::ComboBox};             // "组合框_字体"
inline constexpr UnitRef StyleCombo{EditorWindowId, 0x160156B0, TypeCode::ComboBox};            // "组合框_字形"
inline constexpr UnitRef SizeCombo{EditorWindowId, 0x1601555C, TypeCode::ComboBox};             // "组合框_大小"
inline constexpr UnitRef ColourPicker{EditorWindowId, 0x16015544, TypeCode::ColorPicker};       // "颜色选择器_颜色"
inline constexpr UnitRef BackgroundPicker{EditorWindowId, 0x16015547, TypeCode::ColorPicker};   // "颜色选择器_底纹"
inline constexpr UnitRef StrikeOutBox{EditorWindowId, 0x16015710, TypeCode::CheckBox};          // "选择框_删除线"
inline constexpr UnitRef UnderlineBox{EditorWindowId, 0x16015711, TypeCode::CheckBox};          // "选择框_下划线"
inline constexpr UnitRef TransparentBox{EditorWindowId, 0x16015712, TypeCode::CheckBox};        // "选择框_透明底纹"
inline constexpr UnitRef ScrollBox{EditorWindowId, 0x16015713, TypeCode::CheckBox};             // "选择框_是否滚动"
inline constexpr UnitRef DirectionCombo{EditorWindowId, 0x1601555E, TypeCode::ComboBox};        // "组合框_方式"
inline constexpr UnitRef EffectCombo{EditorWindowId, 0x16015714, TypeCode::ComboBox};           // "组合框_效果"
inline constexpr UnitRef EffectPicker{EditorWindowId, 0x16015548, TypeCode::ColorPicker};       // "颜色选择器_效果"
inline constexpr UnitRef ConfirmButton{EditorWindowId, 0x16015549, TypeCode::Button};           // "按钮_确认"

// Own properties of the unit types, by index.
namespace WindowProperty {
inline constexpr int32_t BackgroundColour = 10;
}
namespace LabelProperty {
inline constexpr int32_t Caption = 8;
inline constexpr int32_t Font = 15;
inline constexpr int32_t TextColour = 16;
inline constexpr int32_t BackgroundColour = 17;
inline constexpr int32_t CaptionEffect = 29;  // 0 none, 1 shadow, 2 outline
inline constexpr int32_t EffectColour = 30;
}  // namespace LabelProperty
namespace MenuProperty {
inline constexpr int32_t Checked = 1;
}
namespace TimerProperty {
inline constexpr int32_t Interval = 8;
}
namespace EditBoxProperty {
inline constexpr int32_t Content = 8;
}
namespace ComboBoxProperty {
inline constexpr int32_t CurrentItem = 19;
}
namespace CheckBoxProperty {
inline constexpr int32_t Checked = 18;
}
namespace ColorPickerProperty {
inline constexpr int32_t Colour = 8;
}
namespace SliderBarProperty {
inline constexpr int32_t Position = 19;
}
namespace ChkListBoxProperty {
inline constexpr int32_t CurrentItem = 14;
}

}  // namespace tessaly::program
