// A plain parent window for input units tested through their type
// interface: it hands control notifications back to the unit that sent them,
// as a loaded window does, and every event raised is recorded with a snapshot
// of whatever the test wants to know at that moment.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/ui/event_dispatch.h"
#include "runtime/ui/unit.h"

namespace tessaly::ui::testing {

struct FiredEvent {
    uint32_t unitId;
    int32_t event;
    std::string snapshot;
};

class InputHarness {
public:
    InputHarness();
    ~InputHarness();

    HWND parent() const { return parent_; }
    Unit* create(const UnitType& type, std::vector<uint8_t> typeData, uint32_t unitId, RECT at = {10, 10, 200, 24});

    // Events of one number raised by one unit so far.
    std::vector<FiredEvent> events(uint32_t unitId, int32_t event) const;
    void clearEvents();
    void snapshotWith(std::function<std::string()> snapshot);

private:
    HWND parent_ = nullptr;
};

}  // namespace tessaly::ui::testing
