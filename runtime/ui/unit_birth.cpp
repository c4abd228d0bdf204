#include "runtime/ui/unit_birth.h"

#include "runtime/ui/mouse_pointer.h"
#include "runtime/ui/unit_type.h"

namespace tessaly::ui {

Unit* bringUnitToLife(UnitTable& units, size_t index, const UnitType& type, const UnitCreateParams& params)
{
    Unit* unit = type.create(params);
    if (unit == nullptr) return nullptr;
    units.setObjectSlot(index, reinterpret_cast<uintptr_t>(unit));
    if (units.pointerSlot(index) == 0)
        units.setPointerSlot(index, pointerSlotWord(loadPointer(units.unitFields(index).mousePointer)));
    return unit;
}

void finishUnitSetup(Unit& unit) { SendMessageW(unit.handle(), UnitMessage::FinishSetup, 0, 0); }

void announceLoaded(Unit& unit) { SendMessageW(unit.handle(), UnitMessage::Loaded, 0, 0); }

void settleUnit(Unit& unit, HWND after, bool visible)
{
    SetWindowPos(unit.handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    finishUnitSetup(unit);
    announceLoaded(unit);
    if (unit.type().flags() & UnitTypeFlag::NeedsWindowSetup)
        SendMessageW(GetAncestor(unit.handle(), GA_ROOT), UnitMessage::WindowSetup, 0, 0);
    if (visible && !(unit.type().flags() & UnitTypeFlag::NeverVisible)) unit.show(true);
}

}  // namespace tessaly::ui
