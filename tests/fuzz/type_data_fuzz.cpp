// Every unit type's type-data reader over any bytes, the first byte choosing
// the type. A reader answers none or data without reading outside the block;
// data it answers writes in the current version and reads back as written.
#include <array>

#include "runtime/ui/type_data.h"
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
