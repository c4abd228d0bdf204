// The timer's type data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct TimerData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t interval = 0;  // [8]: milliseconds
};

std::optional<TimerData> readTimerData(ByteView data);
Bytes writeTimerData(const TimerData& d);

}  // namespace tessaly::ui
