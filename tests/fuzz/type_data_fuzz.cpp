// Every unit type's type-data reader over any bytes, the first byte choosing
// the type. A reader answers none or data without reading outside the block;
// data it answers writes in the current version and reads back as written.
#include <array>

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
#include "runtime/ui/units/window_data.h"
#include "tests/fuzz/fuzz_input.h"

namespace tessaly::ui {
namespace {

using TypeDataCheck = void (*)(ByteView data);

template <const auto& Rows>
void readWriteRead(ByteView data)
{
    const auto read = readTypeData(Rows, data);
    if (!read) return;
    const Bytes written = writeTypeData(Rows, *read);
    const auto again = readTypeData(Rows, written);
    fuzzing::check(again.has_value(), "written type data reads back");
    fuzzing::check(writeTypeData(Rows, *again) == written, "type data reads back as written");
}

constexpr std::array<TypeDataCheck, 12> Checks = {
    &readWriteRead<WindowRows>,
    &readWriteRead<LabelRows>,
    &readWriteRead<ButtonRows>,
    &readWriteRead<GroupBoxRows>,
    &readWriteRead<CheckBoxRows>,
    &readWriteRead<ComboBoxRows>,
    &readWriteRead<EditBoxRows>,
    &readWriteRead<PicBoxRows>,
    &readWriteRead<ColorPickerRows>,
    &readWriteRead<SliderBarRows>,
    &readWriteRead<TimerRows>,
    &readWriteRead<CheckListBoxRows>,
};

}  // namespace
}  // namespace tessaly::ui

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tessaly::ui;
    tessaly::fuzzing::FuzzInput input(data, size);
    const size_t type = input.choice(Checks.size());
    Checks[type](input.restBytes());
    return 0;
}
