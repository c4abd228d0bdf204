#include "runtime/ui/unit_table.h"

#include <algorithm>

#include "runtime/ui/byte_writer.h"

namespace tessaly::ui {
namespace {

constexpr size_t IndexEntrySize = 8;  // identifier and offset

uintptr_t bindWord(uint32_t word, uintptr_t codeBase)
{
    return word == NoRoutineWord ? 0 : codeBase + word;
}

}  // namespace

bool UnitTable::wellFormed(uint32_t id, ByteView body)
{
    if (isMenuItemIdentifier(id)) return walkMenuItemRecord(body).has_value();
    return walkUnitRecord(body).has_value();
}

std::optional<UnitTable> UnitTable::parse(ByteView blob, uint32_t count)
{
    if (count == 0 || count > blob.size() / IndexEntrySize) return std::nullopt;
    const size_t recordsAt = size_t{count} * IndexEntrySize;
    const ByteView records = blob.subspan(recordsAt);
    UnitTable table;
    table.entries_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t id = loadU32(blob.data() + 4 * i);
        const uint32_t offset = loadU32(blob.data() + 4 * (count + i));
        if (offset > records.size()) return std::nullopt;
        ByteReader in(records.subspan(offset));
        const ByteView body = in.counted();
        if (!in.ok() || !wellFormed(id, body)) return std::nullopt;
        table.entries_.push_back({id, Bytes(body.begin(), body.end()), {}, 0, 0});
    }
    return table;
}

Bytes UnitTable::pack() const
{
    ByteWriter out;
    for (const Entry& e : entries_) out.u32(e.id);
    uint32_t offset = 0;
    for (const Entry& e : entries_) {
        out.u32(offset);
        offset += static_cast<uint32_t>(4 + e.body.size());
    }
    for (const Entry& e : entries_) out.counted(ByteView(e.body));
    return out.take();
}

std::optional<size_t> UnitTable::indexOf(uint32_t unitId) const
{
    if (unitId == 0) return entries_.empty() ? std::nullopt : std::optional<size_t>(0);
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == unitId; });
    if (it == entries_.end()) return std::nullopt;
    return static_cast<size_t>(it - entries_.begin());
}

void UnitTable::bindEntry(Entry& entry) const
{
    entry.routines.clear();
    if (isMenuItemIdentifier(entry.id)) {
        entry.routines.push_back(bindWord(walkMenuItemRecord(entry.body)->routine, codeBase_));
        return;
    }
    const UnitFields fields = *walkUnitRecord(entry.body);
    for (size_t i = 0; i < fields.bindingCount; ++i) {
        entry.routines.push_back(bindWord(bindingAt(entry.body, fields, i).routine, codeBase_));
    }
}

void UnitTable::bindRoutines(uintptr_t codeBase)
{
    codeBase_ = codeBase;
    bound_ = true;
    for (Entry& e : entries_) bindEntry(e);
}

void UnitTable::replaceTypeData(size_t index, ByteView typeData)
{
    Bytes& body = entries_[index].body;
    const size_t at = walkUnitRecord(body)->typeDataAt;
    body.resize(at);
    body.insert(body.end(), typeData.begin(), typeData.end());
}

bool UnitTable::replaceRecord(size_t index, ByteView body)
{
    Entry& entry = entries_[index];
    if (!wellFormed(entry.id, body)) return false;
    entry.body.assign(body.begin(), body.end());
    if (bound_) bindEntry(entry);
    return true;
}

void UnitTable::removeRecord(size_t index)
{
    if (index == 0 || index >= entries_.size()) return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool UnitTable::addRecord(uint32_t unitId, ByteView body)
{
    if (unitId == 0 || indexOf(unitId) || !wellFormed(unitId, body)) return false;
    Entry entry{unitId, Bytes(body.begin(), body.end()), {}, 0, 0};
    if (bound_) bindEntry(entry);
    entries_.push_back(std::move(entry));
    return true;
}

}  // namespace tessaly::ui
