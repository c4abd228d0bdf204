#include "runtime/ui/unit_record.h"

#include <algorithm>

#include "runtime/ui/byte_writer.h"

namespace tessaly::ui {
namespace {

constexpr size_t WordSize = 4;
constexpr size_t BindingSize = 8;
constexpr size_t ReservedTailWords = 5;

UnitPosition readPosition(ByteReader& in)
{
    UnitPosition p;
    p.left = in.i32();
    p.top = in.i32();
    p.width = in.i32();
    p.height = in.i32();
    return p;
}

}  // namespace

Bytes encodeUnitRecord(const UnitRecord& r)
{
    ByteWriter out;
    out.u32(r.typeId).u32(r.eventSource);
    for (uint32_t w : r.reserved) out.u32(w);
    out.zeroTerminated(r.name).zeroTerminated(r.secondName).u32(r.objectSlot);
    out.i32(r.position.left).i32(r.position.top).i32(r.position.width).i32(r.position.height);
    out.u32(r.pointerSlot).u32(r.container).u32(static_cast<uint32_t>(r.children.size()));
    for (uint32_t child : r.children) out.u32(child);
    out.counted(ByteView(r.mousePointer)).zeroTerminated(r.tag).u32(r.reservedWord).u32(r.flags).u32(r.focusOrder);
    out.u32(static_cast<uint32_t>(r.bindings.size()));
    for (const EventBinding& b : r.bindings) out.i32(b.event).u32(b.routine);
    for (uint32_t w : r.reservedTail) out.u32(w);
    out.raw(ByteView(r.typeData));
    return out.take();
}

Bytes encodeMenuItemRecord(const MenuItemRecord& r)
{
    ByteWriter out;
    out.u32(r.typeId).u32(r.eventSource);
    for (uint32_t w : r.reserved) out.u32(w);
    out.zeroTerminated(r.name).zeroTerminated(r.secondName);
    out.u32(r.shortcut).u32(r.level).u32(r.state).zeroTerminated(r.caption).u32(r.routine);
    out.raw(ByteView(r.reservedTail));
    return out.take();
}

std::optional<UnitFields> walkUnitRecord(ByteView body)
{
    ByteReader in(body);
    UnitFields f;
    f.typeId = in.u32();
    f.eventSource = in.u32();
    in.skip(4 * WordSize);
    f.name = in.zeroTerminated();
    f.secondName = in.zeroTerminated();
    f.objectSlotAt = in.position();
    in.skip(WordSize);
    f.positionAt = in.position();
    f.position = readPosition(in);
    f.pointerSlotAt = in.position();
    in.skip(WordSize);
    f.container = in.u32();
    f.childrenAt = in.position();
    f.children = in.take(size_t{in.u32()} * WordSize);
    f.mousePointerAt = in.position();
    f.mousePointer = in.counted();
    f.tagAt = in.position();
    f.tag = in.zeroTerminated();
    in.skip(WordSize);
    f.flagsAt = in.position();
    f.flags = in.u32();
    f.focusOrder = in.u32();
    f.bindingCount = in.u32();
    f.bindingsAt = in.position();
    in.skip(size_t{f.bindingCount} * BindingSize);
    in.skip(ReservedTailWords * WordSize);
    if (!in.ok()) return std::nullopt;
    f.typeDataAt = in.position();
    f.typeData = body.subspan(f.typeDataAt);
    return f;
}

std::vector<uint32_t> UnitFields::childIds() const
{
    std::vector<uint32_t> ids;
    ids.reserve(childCount());
    for (size_t i = 0; i < childCount(); ++i) ids.push_back(child(i));
    return ids;
}

EventBinding bindingAt(ByteView body, const UnitFields& fields, size_t i)
{
    const uint8_t* pair = body.data() + fields.bindingsAt + i * BindingSize;
    return {static_cast<int32_t>(loadU32(pair)), loadU32(pair + WordSize)};
}

std::optional<MenuItemFields> walkMenuItemRecord(ByteView body)
{
    ByteReader in(body);
    MenuItemFields f;
    f.typeId = in.u32();
    f.eventSource = in.u32();
    in.skip(4 * WordSize);
    f.name = in.zeroTerminated();
    f.secondName = in.zeroTerminated();
    f.shortcut = in.u32();
    f.level = in.u32();
    f.stateAt = in.position();
    f.state = in.u32();
    f.captionAt = in.position();
    f.caption = in.zeroTerminated();
    f.routineAt = in.position();
    f.routine = in.u32();
    in.skip(16);
    if (!in.ok()) return std::nullopt;
    return f;
}

std::optional<UnitRecord> decodeUnitRecord(ByteView body)
{
    const auto f = walkUnitRecord(body);
    if (!f) return std::nullopt;
    ByteReader in(body);
    UnitRecord r;
    r.typeId = in.u32();
    r.eventSource = in.u32();
    for (uint32_t& w : r.reserved) w = in.u32();
    r.name = f->name;
    r.secondName = f->secondName;
    r.objectSlot = loadU32(body.data() + f->objectSlotAt);
    r.position = f->position;
    r.pointerSlot = loadU32(body.data() + f->pointerSlotAt);
    r.container = f->container;
    r.children = f->childIds();
    r.mousePointer.assign(f->mousePointer.begin(), f->mousePointer.end());
    r.tag = f->tag;
    r.reservedWord = loadU32(reinterpret_cast<const uint8_t*>(f->tag.data()) + f->tag.size() + 1);
    r.flags = f->flags;
    r.focusOrder = f->focusOrder;
    for (size_t i = 0; i < f->bindingCount; ++i) r.bindings.push_back(bindingAt(body, *f, i));
    const uint8_t* tail = body.data() + f->typeDataAt - ReservedTailWords * WordSize;
    for (size_t i = 0; i < ReservedTailWords; ++i) r.reservedTail[i] = loadU32(tail + i * WordSize);
    r.typeData.assign(f->typeData.begin(), f->typeData.end());
    return r;
}

std::optional<MenuItemRecord> decodeMenuItemRecord(ByteView body)
{
    const auto f = walkMenuItemRecord(body);
    if (!f) return std::nullopt;
    MenuItemRecord r;
    r.typeId = f->typeId;
    r.eventSource = f->eventSource;
    for (size_t i = 0; i < r.reserved.size(); ++i) r.reserved[i] = loadU32(body.data() + 8 + i * WordSize);
    r.name = f->name;
    r.secondName = f->secondName;
    r.shortcut = f->shortcut;
    r.level = f->level;
    r.state = f->state;
    r.caption = f->caption;
    r.routine = f->routine;
    std::copy_n(body.data() + f->routineAt + WordSize, r.reservedTail.size(), r.reservedTail.begin());
    return r;
}

}  // namespace tessaly::ui
