// Small hand-made templates for the codec tests, built with the same encoders
// the packer uses.
#pragma once

#include <string>
#include <vector>

#include "runtime/ui/window_templates.h"
#include "tests/core/throwing_error_hook.h"

namespace tessaly::ui::testing {

using tessaly::testing::CapturedReport;
using tessaly::testing::ThrowingErrorHook;

inline UnitRecord unit(uint32_t typeId, std::vector<EventBinding> bindings = {}, Bytes typeData = {1, 0, 0, 0})
{
    UnitRecord r;
    r.typeId = typeId;
    r.name = "unit";
    r.position = {1, 2, 3, 4};
    r.flags = UnitFlag::Visible;
    r.bindings = std::move(bindings);
    r.typeData = std::move(typeData);
    return r;
}

inline MenuItemRecord menuItem(const char* caption, uint32_t routine, uint32_t level = 1)
{
    MenuItemRecord m;
    m.caption = caption;
    m.routine = routine;
    m.level = level;
    return m;
}

// A window of the given id whose own record binds event 0 to routine word 0x20.
inline WindowTemplate window(uint32_t id, uint32_t ownId)
{
    WindowTemplate w;
    w.id = id;
    w.moduleId = 0x19000001;
    w.string1 = "s1";
    w.units.addRecord(ownId, encodeUnitRecord(unit(TypeId::Window, {{0, 0x20}})));
    return w;
}

inline Bytes block(const std::vector<const WindowTemplate*>& windows) { return writeTemplateBlock(windows); }

// Two windows: the first with a label, a menu with an entry and a separator,
// a timer; the second with only its own record.
inline Bytes smallBlock()
{
    WindowTemplate a = window(0x52000001, 0x06000001);
    a.units.addRecord(0x16000002, encodeUnitRecord(unit(TypeId::Label, {{-1, 0}, {0, 0x10}})));
    a.units.addRecord(0x26000003, encodeMenuItemRecord(menuItem("menu", NoRoutineWord, 0)));
    a.units.addRecord(0x26000004, encodeMenuItemRecord(menuItem("item", 0x30)));
    a.units.addRecord(0x26000005, encodeMenuItemRecord(menuItem("-", NoRoutineWord)));
    a.units.addRecord(0x16000006, encodeUnitRecord(unit(TypeId::Timer, {{0, 0x40}})));
    WindowTemplate b = window(0x52000010, 0x06000010);
    return block({&a, &b});
}

}  // namespace tessaly::ui::testing
