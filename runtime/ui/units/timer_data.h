// The timer's type data.
#pragma once

#include <cstdint>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct TimerData {
    static constexpr uint32_t HighestVersion = 1;
    int32_t interval = 0;  // milliseconds
};

inline constexpr FieldRow<TimerData> TimerRows[] = {
    {&TimerData::interval, "interval", 8, PropertyKind::Integer, {0, NoLimit}},
};

}  // namespace tessaly::ui
