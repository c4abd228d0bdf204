// The program's own window templates, loaded with a routine table of logging
// routines behind a real thunk table: what the program's windows raise, seen
// from the routines' side. Shared by the tests of the program's windows and
// of the caption labels on its display window.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/command_call.h"
#include "runtime/core/typed_value.h"
#include "runtime/ui/window_layer.h"

namespace tessaly::ui::testing {

inline constexpr uint32_t DisplayWindow = 0x52010003;
inline constexpr uint32_t HotkeyLabel = 0x16012A37;
inline constexpr uint32_t ShowSettingsItem = 0x26012A39;
inline constexpr uint32_t StartWithWindowsItem = 0x26012A3A;
inline constexpr uint32_t SeparatorItem = 0x26012A3B;
inline constexpr uint32_t SettingsWindow = 0x520154F4;
inline constexpr uint32_t CaptionList = 0x160154F5;
inline constexpr uint32_t OperationMenu = 0x260155E8;
inline constexpr uint32_t TransparencySlider = 0x16015624;
inline constexpr uint32_t SpeedBox = 0x16015643;
inline constexpr uint32_t GroupBox = 0x16015622;
inline constexpr uint32_t EditorWindow = 0x52015536;
inline constexpr uint32_t ContentBox = 0x16015538;
inline constexpr uint32_t StyleCombo = 0x160156B0;
inline constexpr uint32_t ModeCombo = 0x1601555E;
inline constexpr uint32_t FontCombo = 0x1601553F;

// One call of a logging routine: its name and first three arguments.
struct Call {
    std::string routine;
    std::vector<intptr_t> arguments;
};
extern std::vector<Call> g_calls;
// Runs inside the press routine, while its event is being handled.
extern std::function<void()> g_duringPress;

size_t countOf(const std::string& routine);
const Call* lastOf(const std::string& routine);

TypedValue call(void (*command)(TypedValue*, int32_t, TypedValue*), std::vector<TypedValue> args);
inline TypedValue unitValue(uint32_t window, uint32_t unit, uint32_t type) { return TypedValue::ofUnit(window, unit, type); }

class ProgramWindows : public ::testing::Test {
protected:
    // Once per process: every test of the program's windows runs on the same frame.
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
    static WindowLayer& layer() { return WindowLayer::instance(); }
    static HWND display() { return layer().findWindow(DisplayWindow)->handle(); }
    static TypedValue displayValue() { return TypedValue::ofUnit(DisplayWindow, 0, TypeCode::Window); }
};

// Caption labels: copies of "标签1" on the display window.
class CaptionLabels : public ProgramWindows {
protected:
    void SetUp() override;
    static uint32_t copyOfHotkeyLabel();
    static HWND handleOf(uint32_t unit) { return layer().findUnit(DisplayWindow, unit)->handle(); }
    static TypedValue property(uint32_t unit, int32_t index, int32_t field = -1);
    static void write(uint32_t unit, int32_t index, TypedValue value, int32_t field = -1);
};

}  // namespace tessaly::ui::testing
