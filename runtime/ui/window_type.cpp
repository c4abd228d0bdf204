// What a write of each of the window's own properties does to the live window.

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/loaded_window.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

void LoadedWindow::applyChange(int32_t index)
{
    switch (index) {
    case propertyIndex(WindowRows, "title"):
        SetWindowTextW(handle(), widenGbk(data_.title).c_str());
        applyFrameStyle();
        break;
    case propertyIndex(WindowRows, "border"):
    case propertyIndex(WindowRows, "controlBox"):
    case propertyIndex(WindowRows, "maximiseBox"):
    case propertyIndex(WindowRows, "minimiseBox"): applyFrameStyle(); break;
    case propertyIndex(WindowRows, "movable"): applyMovable(); break;
    case propertyIndex(WindowRows, "icon"): applyIcon(); break;
    case propertyIndex(WindowRows, "alwaysOnTop"): applyAlwaysOnTop(); break;
    default: InvalidateRect(handle(), nullptr, TRUE); break;  // the background
    }
}

// The state is the window's own: the user minimises and maximises it.
bool LoadedWindow::writeOwn(int32_t, const PropertyValue& value)
{
    applyState(value.asInt());
    return false;
}

bool LoadedWindow::readLive(int32_t index, PropertyValue& out) const
{
    if (index != propertyIndex(WindowRows, "windowState")) return false;
    out = PropertyValue::number(currentState());
    return true;
}

const UnitType& windowUnitType()
{
    static const RowUnitType<LoadedWindow> type(TypeId::Window, "window", UnitTypeFlag::WindowControl);
    return type;
}

}  // namespace tessaly::ui
