#include "app/unit_calls.h"

#include "app/runtime_calls.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/service_table.h"

namespace tessaly::program {
namespace {

constexpr int32_t WholeProperty = -1;

TypedValue get(UnitRef unit, int32_t property, int32_t field = WholeProperty)
{
    return callService<Service::GetProperty>(PropertyAccess{unit.windowId, unit.unitId, property, field});
}

void set(UnitRef unit, int32_t property, const TypedValue& value, int32_t field = WholeProperty)
{
    callService<Service::SetProperty>(PropertyAccess{unit.windowId, unit.unitId, property, field}, value);
}

UnitRef unitOf(const TypedValue& value) { return {value.low, value.high, value.type}; }

}  // namespace

TypedValue unitArgument(UnitRef unit) { return TypedValue::ofUnit(unit.windowId, unit.unitId, unit.typeId); }

int32_t readInt(UnitRef unit, int32_t property) { return get(unit, property).asInt(); }
bool readBool(UnitRef unit, int32_t property) { return get(unit, property).asBool(); }
std::string readText(UnitRef unit, int32_t property) { return takeText(get(unit, property)); }
void writeInt(UnitRef unit, int32_t property, int32_t value) { set(unit, property, intArgument(value)); }
void writeBool(UnitRef unit, int32_t property, bool value) { set(unit, property, boolArgument(value)); }
void writeText(UnitRef unit, int32_t property, const std::string& value) { set(unit, property, textArgument(value)); }

int32_t readFontInt(UnitRef unit, int32_t property, int32_t field) { return get(unit, property, field).asInt(); }
void writeFontInt(UnitRef unit, int32_t property, int32_t field, int32_t value)
{
    set(unit, property, intArgument(value), field);
}
void writeFontBool(UnitRef unit, int32_t property, int32_t field, bool value)
{
    set(unit, property, boolArgument(value), field);
}
void writeFontText(UnitRef unit, int32_t property, int32_t field, const std::string& value)
{
    set(unit, property, textArgument(value), field);
}

bool loadWindow(UnitRef window) { return runCommand(commands::LoadWindow, {unitArgument(window)}).asBool(); }

void destroy(UnitRef unitOrWindow) { runCommand(commands::Destroy, {unitArgument(unitOrWindow)}); }

bool isCreated(UnitRef unitOrWindow) { return runCommand(commands::IsCreated, {unitArgument(unitOrWindow)}).asBool(); }

int32_t windowHandle(UnitRef unitOrWindow)
{
    return runCommand(commands::GetWindowHandle, {unitArgument(unitOrWindow)}).asInt();
}

UnitRef copyUnit(UnitRef source)
{
    uint32_t copy[2] = {};
    const TypedValue target = TypedValue::ofPointer(copy, source.typeId | ArgumentFlag);
    if (!runCommand(commands::CopyUnit, {unitArgument(source), target}).asBool()) return {};
    return {copy[0], copy[1], source.typeId};
}

UnitRef eventUnit() { return unitOf(runCommand(commands::GetEventUnit, {})); }

void setZOrder(UnitRef unitOrWindow, int32_t position)
{
    runCommand(commands::SetZOrder, {unitArgument(unitOrWindow), intArgument(position)});
}

void popupMenu(UnitRef window, UnitRef menu, int32_t x, int32_t y)
{
    runCommand(commands::PopupMenu, {unitArgument(window), unitArgument(menu), intArgument(x), intArgument(y)});
}

void popupTrayMenu(UnitRef window, UnitRef menu)
{
    runCommand(commands::PopupTrayMenu, {unitArgument(window), unitArgument(menu)});
}

void setTrayIcon(UnitRef window, const void* icon, const std::string& tip)
{
    runCommand(commands::SetTrayIcon, {unitArgument(window), TypedValue::ofPointer(icon, TypeCode::Bytes), textArgument(tip)});
}

TextExtent measureCaption(UnitRef unit)
{
    int32_t width = 0, height = 0;
    runLibraryCommand(commands::MeasureCaption, {unitArgument(unit), TypedValue::ofPointer(&width, TypeCode::Int | ArgumentFlag),
                                                 TypedValue::ofPointer(&height, TypeCode::Int | ArgumentFlag)});
    return {width, height};
}

int32_t listAddItem(UnitRef list, const std::string& text, int32_t itemData)
{
    return runCommand(commands::ListAddItem, {unitArgument(list), textArgument(text), intArgument(itemData)}).asInt();
}

bool listDeleteItem(UnitRef list, int32_t index)
{
    return runCommand(commands::ListDeleteItem, {unitArgument(list), intArgument(index)}).asBool();
}

void listClear(UnitRef list) { runCommand(commands::ListClear, {unitArgument(list)}); }

bool listIsChecked(UnitRef list, int32_t index)
{
    return runCommand(commands::ListIsChecked, {unitArgument(list), intArgument(index)}).asBool();
}

void listSetChecked(UnitRef list, int32_t index, bool checked)
{
    runCommand(commands::ListSetChecked, {unitArgument(list), intArgument(index), boolArgument(checked)});
}

int32_t comboAddItem(UnitRef combo, const std::string& text, int32_t itemData)
{
    return runCommand(commands::ComboAddItem, {unitArgument(combo), textArgument(text), intArgument(itemData)}).asInt();
}

int32_t comboItemCount(UnitRef combo) { return runCommand(commands::ComboItemCount, {unitArgument(combo)}).asInt(); }

std::string comboItemText(UnitRef combo, int32_t index)
{
    return takeText(runCommand(commands::ComboItemText, {unitArgument(combo), intArgument(index)}));
}

}  // namespace tessaly::program
