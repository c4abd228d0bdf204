// The template block reader over any bytes. It answers none or a table
// without reading outside the block; a table it answers walks, binds and
// looks up events without fault, and comes back unchanged when written and
// read again.
#include <algorithm>
#include <array>
#include <vector>

#include "runtime/ui/event_routine.h"
#include "runtime/ui/window_templates.h"
#include "tests/fuzz/fuzz_input.h"

namespace tessaly::ui {
namespace {

using fuzzing::check;

int32_t everyTypeTakesEvents(uint32_t typeId) { return typeId == TypeId::MenuItem ? 2 : 1; }

bool sameBytes(ByteView a, ByteView b) { return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin()); }

// Every record decodes to the fields its walker found and encodes back to its own bytes.
void checkRecord(const UnitTable& units, size_t index)
{
    const ByteView body = units.bodyAt(index);
    if (units.isMenuItem(index)) {
        const auto record = decodeMenuItemRecord(body);
        check(record.has_value(), "a stored menu item decodes");
        const Bytes encoded = encodeMenuItemRecord(*record);
        check(sameBytes(encoded, body.first(encoded.size())), "a menu item encodes back to its bytes");
        return;
    }
    const UnitFields fields = units.unitFields(index);
    for (size_t i = 0; i < fields.bindingCount; ++i) (void)bindingAt(body, fields, i);
    (void)fields.childIds();
    const auto record = decodeUnitRecord(body);
    check(record.has_value(), "a stored unit record decodes");
    check(record->bindings.size() == fields.bindingCount, "bindings decode as walked");
    check(sameBytes(encodeUnitRecord(*record), body), "a unit record encodes back to its bytes");
}

// Field writes change one field in place: the record still walks, with the
// new field and the same type data.
void checkFieldWrites(UnitTable units, size_t index)
{
    if (units.isMenuItem(index)) {
        units.setMenuCaption(index, "caption");
        check(units.menuItemFields(index).caption == "caption", "a menu caption is written");
        return;
    }
    const Bytes typeData(units.unitFields(index).typeData.begin(), units.unitFields(index).typeData.end());
    const std::array<uint32_t, 2> children{7, 8};
    const std::array<uint8_t, 3> pointer{1, 2, 3};
    units.setTag(index, "tag");
    units.setChildren(index, children);
    units.setMousePointer(index, pointer);
    units.setPosition(index, {1, 2, 3, 4});
    const auto fields = walkUnitRecord(units.bodyAt(index));
    check(fields.has_value() && fields->tag == "tag" && fields->childCount() == 2 && fields->mousePointer.size() == 3,
          "field writes walk back");
    check(sameBytes(fields->typeData, typeData), "field writes keep the type data");
}

void checkWindow(const TemplateTable& table, const WindowTemplate& window)
{
    const UnitTable& units = window.units;
    check(units.size() >= 1, "a window has its own record");
    for (size_t i = 0; i < units.size(); ++i) {
        checkRecord(units, i);
        checkFieldWrites(units, i);
        check(units.indexOf(units.idAt(i)).has_value(), "every identifier is found");
        // The bindings' event numbers are whatever the block holds.
        (void)findEventRoutine(table, window.id, units.idAt(i), 0, &everyTypeTakesEvents);
    }
}

void checkRoundTrip(const TemplateTable& table)
{
    std::vector<const WindowTemplate*> windows;
    for (size_t i = 0; i < table.size(); ++i) windows.push_back(table.at(i));
    const Bytes written = writeTemplateBlock(windows);
    const auto again = readTemplateBlock(written);
    check(again.has_value() && again->size() == table.size(), "a written block reads back");
    for (size_t w = 0; w < table.size(); ++w) {
        const UnitTable& before = table.at(w)->units;
        const UnitTable& after = again->at(w)->units;
        check(again->at(w)->id == table.at(w)->id && after.size() == before.size(), "windows read back in order");
        for (size_t i = 0; i < before.size(); ++i)
            check(after.idAt(i) == before.idAt(i) && sameBytes(after.bodyAt(i), before.bodyAt(i)), "records read back");
    }
}

}  // namespace
}  // namespace tessaly::ui

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tessaly::ui;
    auto table = readTemplateBlock({data, size});
    if (!table) return 0;
    table->bindRoutines(0x400000);
    for (size_t i = 0; i < table->size(); ++i) checkWindow(*table, *table->at(i));
    checkRoundTrip(*table);
    return 0;
}
