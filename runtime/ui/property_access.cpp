#include "runtime/ui/property_access.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "runtime/core/memory.h"
#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/value_blocks.h"
#include "runtime/ui/menu_builder.h"
#include "runtime/ui/mouse_pointer.h"
#include "runtime/ui/unit_birth.h"
#include "runtime/ui/unit_font.h"
#include "runtime/ui/window_layer.h"

namespace tessaly::ui {
namespace {

constexpr char WindowNotLoaded[] = "未载入欲访问窗口组件所在的窗口";
constexpr char ReadNotLoaded[] = "读取组件属性时发现指定窗口尚未载入";
constexpr char WriteNotLoaded[] = "修改组件属性时发现指定窗口尚未载入";

bool isTextKind(int32_t kind)
{
    switch (kind) {
    case PropertyKind::Integer:
    case PropertyKind::Integer2:
    case PropertyKind::Real:
    case PropertyKind::Logical:
    case PropertyKind::DateTime:
    case PropertyKind::Choice:
    case PropertyKind::Picture:
    case PropertyKind::Icon:
    case PropertyKind::MousePointer:
    case PropertyKind::Sound:
    case PropertyKind::Font:
    case PropertyKind::Colour:
    case PropertyKind::Colour2:
    case PropertyKind::Colour3:
    case PropertyKind::Data:
    case PropertyKind::ListData: return false;
    default: return true;
    }
}

bool isByteSetKind(int32_t kind)
{
    return kind == PropertyKind::Picture || kind == PropertyKind::Icon || kind == PropertyKind::MousePointer ||
           kind == PropertyKind::Sound || kind == PropertyKind::Data || kind == PropertyKind::ListData;
}

TypedValue fromUnitValue(int32_t kind, const PropertyValue& v)
{
    if (isTextKind(kind)) return TypedValue::ofPointer(makeResultText(v.asText()), TypeCode::Text);
    if (isByteSetKind(kind))
        return TypedValue::ofPointer(makeResultByteSet(v.asBytes()), TypeCode::Bytes);
    switch (kind) {
    case PropertyKind::Logical: return TypedValue::ofBool(v.data == 1);
    case PropertyKind::Real: {
        double d;
        std::memcpy(&d, &v.data, sizeof d);
        return TypedValue::ofDouble(d);
    }
    case PropertyKind::DateTime: {
        double d;
        std::memcpy(&d, &v.data, sizeof d);
        return TypedValue::ofDouble(d, TypeCode::DateTime);
    }
    default: return TypedValue::ofInt(v.asInt());
    }
}

// Storage a converted value can point into for the duration of a write.
struct ConvertedValue {
    PropertyValue value;
    std::string text;
};

ConvertedValue toUnitValue(int32_t kind, const TypedValue& value)
{
    ConvertedValue c;
    if (isTextKind(kind)) {
        c.text = value.baseType() == TypeCode::Text ? std::string(textView(value.text())) : std::string();
        c.value = PropertyValue::bytes(c.text.data(), c.text.size());
        return c;
    }
    if (isByteSetKind(kind)) {
        const void* block = value.baseType() == TypeCode::Bytes ? value.pointer() : nullptr;
        c.value = PropertyValue::bytes(byteSetData(block), static_cast<size_t>(byteSetLength(block)));
        return c;
    }
    switch (kind) {
    case PropertyKind::Logical: c.value = PropertyValue::number(toNumber(value) != 0 ? 1 : 0); break;
    case PropertyKind::Choice: c.value = PropertyValue::number(std::max<int64_t>(0, static_cast<int32_t>(toNumber(value)))); break;
    case PropertyKind::Real:
    case PropertyKind::DateTime: {
        const double d = (value.baseType() == TypeCode::Double || value.baseType() == TypeCode::DateTime)
                             ? value.asDouble()
                             : static_cast<double>(toNumber(value));
        std::memcpy(&c.value.data, &d, sizeof d);
        break;
    }
    default: c.value = PropertyValue::number(static_cast<int32_t>(toNumber(value))); break;
    }
    return c;
}

constexpr uint32_t withFlag(uint32_t flags, uint32_t bit, bool set) { return set ? (flags | bit) : (flags & ~bit); }

Unit* liveUnit(const UnitTable& units, size_t index)
{
    auto* unit = reinterpret_cast<Unit*>(units.objectSlot(index));
    return unit != nullptr && IsWindow(unit->handle()) ? unit : nullptr;
}

TypedValue readMenuItem(const UnitTable& units, size_t index, int32_t property)
{
    const MenuItemFields f = units.menuItemFields(index);
    switch (property) {
    case 0: return TypedValue::ofPointer(makeResultText(f.caption), TypeCode::Text);
    case 1: return TypedValue::ofBool((f.state & MenuState::Checked) != 0);
    case 2: return TypedValue::ofBool((f.state & MenuState::Disabled) != 0);
    case 3: return TypedValue::ofBool((f.state & MenuState::Hidden) == 0);
    default: return {};
    }
}

TypedValue readCommon(const UnitTable& units, size_t index, int32_t property)
{
    const UnitFields f = units.unitFields(index);
    Unit* unit = liveUnit(units, index);
    if (property == CommonProperty::Tag) return TypedValue::ofPointer(makeResultText(f.tag), TypeCode::Text);
    if (property == CommonProperty::MousePointer)
        return TypedValue::ofPointer(makeResultByteSet(programPointer(f.mousePointer)), TypeCode::Bytes);
    if (unit == nullptr) {
        switch (property) {
        case CommonProperty::Left: return TypedValue::ofInt(f.position.left);
        case CommonProperty::Top: return TypedValue::ofInt(f.position.top);
        case CommonProperty::Width: return TypedValue::ofInt(f.position.width);
        case CommonProperty::Height: return TypedValue::ofInt(f.position.height);
        case CommonProperty::Visible: return TypedValue::ofBool((f.flags & UnitFlag::Visible) != 0);
        case CommonProperty::Disabled: return TypedValue::ofBool((f.flags & UnitFlag::Disabled) != 0);
        default: return {};
        }
    }
    const RECT r = unit->placement();
    switch (property) {
    case CommonProperty::Left: return TypedValue::ofInt(r.left);
    case CommonProperty::Top: return TypedValue::ofInt(r.top);
    case CommonProperty::Width: return TypedValue::ofInt(r.right - r.left);
    case CommonProperty::Height: return TypedValue::ofInt(r.bottom - r.top);
    case CommonProperty::Visible: return TypedValue::ofBool(unit->shown());
    case CommonProperty::Disabled: return TypedValue::ofBool(IsWindowEnabled(unit->handle()) == FALSE);
    default: return {};
    }
}

void writeMenuItem(WindowLayer& layer, WindowTemplate& window, size_t index, int32_t property, const TypedValue& value)
{
    UnitTable& units = window.units;
    const MenuItemFields f = units.menuItemFields(index);
    bool changed = false;
    if (property == 0) {
        const std::string caption(value.baseType() == TypeCode::Text ? textView(value.text()) : std::string_view{});
        if (caption != f.caption) {
            units.setMenuCaption(index, caption);
            changed = true;
        }
    } else if (property >= 1 && property <= 3) {
        const uint32_t bit = property == 1 ? MenuState::Checked : property == 2 ? MenuState::Disabled : MenuState::Hidden;
        bool set = toNumber(value) != 0;
        if (property == 3) set = !set;  // "visible" is the hidden bit cleared
        if (((f.state & bit) != 0) != set) {
            units.setMenuState(index, withFlag(f.state, bit, set));
            changed = true;
        }
    }
    if (!changed) return;
    if (LoadedWindow* loaded = layer.findWindow(window.id)) {
        MenuBar bar = buildMenuBar(units, (units.unitFields(0).flags & UnitFlag::OwnerDrawMenu) != 0);
        loaded->setMenuBar(std::move(bar.menu), std::move(bar.accelerators));
        DrawMenuBar(loaded->handle());
    }
}

void writeCommon(WindowTemplate& window, size_t index, int32_t property, const TypedValue& value)
{
    UnitTable& units = window.units;
    Unit* unit = liveUnit(units, index);
    HWND h = unit != nullptr ? unit->handle() : nullptr;
    switch (property) {
    case CommonProperty::Left:
    case CommonProperty::Top: {
        const int32_t v = clampPosition(static_cast<int32_t>(toNumber(value)));
        UnitPosition position = units.unitFields(index).position;
        (property == CommonProperty::Left ? position.left : position.top) = v;
        units.setPosition(index, position);
        if (unit != nullptr) {
            RECT rect = unit->placement();
            const LONG x = property == CommonProperty::Left ? v : rect.left;
            const LONG y = property == CommonProperty::Top ? v : rect.top;
            OffsetRect(&rect, x - rect.left, y - rect.top);
            unit->place(rect, SWP_NOSIZE);
        }
        break;
    }
    case CommonProperty::Width:
    case CommonProperty::Height: {
        const int32_t v = clampSize(static_cast<int32_t>(toNumber(value)));
        UnitPosition position = units.unitFields(index).position;
        (property == CommonProperty::Width ? position.width : position.height) = v;
        units.setPosition(index, position);
        if (unit != nullptr) {
            RECT rect = unit->placement();
            if (property == CommonProperty::Width) rect.right = rect.left + v;
            if (property == CommonProperty::Height) rect.bottom = rect.top + v;
            unit->place(rect, SWP_NOMOVE);
        }
        break;
    }
    case CommonProperty::Tag: {
        units.setTag(index, value.baseType() == TypeCode::Text ? textView(value.text()) : std::string_view{});
        break;
    }
    case CommonProperty::Visible: {
        const bool visible = toNumber(value) != 0;
        units.setFlags(index, withFlag(units.unitFields(index).flags, UnitFlag::Visible, visible));
        if (h != nullptr && !(unit->type().flags() & UnitTypeFlag::NeverVisible)) unit->show(visible);
        break;
    }
    case CommonProperty::Disabled: {
        const bool disabled = toNumber(value) != 0;
        units.setFlags(index, withFlag(units.unitFields(index).flags, UnitFlag::Disabled, disabled));
        if (h != nullptr) EnableWindow(h, !disabled);
        break;
    }
    case CommonProperty::MousePointer: {
        const void* block = value.baseType() == TypeCode::Bytes ? value.pointer() : nullptr;
        const Bytes stored = storedPointer(byteSetBytes(block));
        units.setMousePointer(index, stored);
        releasePointer(units.pointerSlot(index));
        units.setPointerSlot(index, h != nullptr ? pointerSlotWord(loadPointer(stored)) : 0);
        if (h != nullptr) {
            // Moving the mouse where it is makes the new pointer show at once.
            POINT at;
            GetCursorPos(&at);
            SetCursorPos(at.x, at.y);
        }
        break;
    }
    default: break;
    }
}

WindowTemplate& templateOf(WindowLayer& layer, uint32_t windowId)
{
    WindowTemplate* window = layer.templates().find(windowId);
    if (window == nullptr) reportRuntimeError(WindowNotLoaded, 0, static_cast<int32_t>(windowId), 0);
    return *window;
}

}  // namespace

int64_t toNumber(const TypedValue& value)
{
    // Logical values and colours arrive as plain words from the program.
    if (value.baseType() == TypeCode::Bool) return value.asInt();
    const auto number = numericValue(value);
    if (!number) reportRuntimeError("欲转换数据类型不是数值", 0, 0, 0);
    return *number;
}

TypedValue readUnitProperty(WindowLayer& layer, const PropertyAccess& access)
{
    WindowTemplate& window = templateOf(layer, access.windowId);
    const auto index = window.units.indexOf(access.unitId);
    if (!index) return {};
    if (window.units.isMenuItem(*index)) return readMenuItem(window.units, *index, access.property);
    if (access.property < FirstOwnProperty) return readCommon(window.units, *index, access.property);

    Unit* unit = liveUnit(window.units, *index);
    if (unit == nullptr)
        reportRuntimeError(ReadNotLoaded, 0, static_cast<int32_t>(access.windowId), static_cast<int32_t>(access.unitId));
    const PropertyInfo* info = unit->type().property(access.property);
    if (info == nullptr) return {};
    PropertyValue v;
    if (!unit->type().getProperty(*unit, access.property - FirstOwnProperty, v)) return {};
    if (info->kind == PropertyKind::Font) return readFontField(v.asBytes(), access.fontField);
    return fromUnitValue(info->kind, v);
}

void writeUnitProperty(WindowLayer& layer, const PropertyAccess& access, const TypedValue& value)
{
    WindowTemplate& window = templateOf(layer, access.windowId);
    const auto index = window.units.indexOf(access.unitId);
    if (!index) return;
    if (window.units.isMenuItem(*index)) return writeMenuItem(layer, window, *index, access.property, value);
    if (access.property < FirstOwnProperty) return writeCommon(window, *index, access.property, value);

    Unit* unit = liveUnit(window.units, *index);
    if (unit == nullptr)
        reportRuntimeError(WriteNotLoaded, 0, static_cast<int32_t>(access.windowId), static_cast<int32_t>(access.unitId));
    const PropertyInfo* info = unit->type().property(access.property);
    if (info == nullptr) return;
    // A write may raise an event whose routine destroys the window.
    const Unit::Hold hold(*unit);
    bool recreate = false;
    if (info->kind == PropertyKind::Font) {
        PropertyValue current;
        unit->type().getProperty(*unit, access.property - FirstOwnProperty, current);
        const LOGFONTA font = writeFontField(current.asBytes(), access.fontField, value);
        recreate = unit->type().setProperty(*unit, access.property - FirstOwnProperty, PropertyValue::bytes(&font, sizeof font));
    } else {
        const ConvertedValue converted = toUnitValue(info->kind, value);
        recreate = unit->type().setProperty(*unit, access.property - FirstOwnProperty, converted.value);
    }
    if (recreate && *index != 0 && unit->alive()) recreateUnit(layer, *unit);
}

Unit* recreateUnit(WindowLayer& layer, Unit& old)
{
    WindowTemplate* window = layer.templates().find(old.windowId());
    if (window == nullptr) return nullptr;
    const auto index = window->units.indexOf(old.unitId());
    if (!index) return nullptr;
    const RuntimeApp::SuspendedEvents quiet;
    old.applyPendingPlacement();
    HWND oldHandle = old.handle();
    const std::vector<uint8_t> data = old.type().currentTypeData(old);
    const RECT rect = old.placement();
    HWND parent = GetParent(oldHandle);
    HWND before = GetWindow(oldHandle, GW_HWNDPREV);
    const bool visible = old.shown();
    const bool focused = GetFocus() == oldHandle;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(oldHandle, GWL_STYLE));

    UnitCreateParams params;
    params.typeData = data;
    params.style = style & (WS_DISABLED | WS_TABSTOP);
    params.parent = parent;
    params.controlId = GetDlgCtrlID(oldHandle);
    params.left = rect.left;
    params.top = rect.top;
    params.width = rect.right - rect.left;
    params.height = rect.bottom - rect.top;
    params.windowId = old.windowId();
    params.unitId = old.unitId();
    Unit* fresh = bringUnitToLife(window->units, *index, old.type(), params);
    if (fresh == nullptr) return nullptr;
    if (old.type().flags() & UnitTypeFlag::Container) {
        std::vector<HWND> children;
        for (HWND c = GetWindow(oldHandle, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
        for (HWND c : children) SetParent(c, fresh->handle());
    }
    settleUnit(*fresh, before != nullptr ? before : HWND_TOP, visible);
    DestroyWindow(oldHandle);
    if (focused) SetFocus(fresh->handle());
    return fresh;
}

}  // namespace tessaly::ui
