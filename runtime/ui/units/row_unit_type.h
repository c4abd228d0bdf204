// The unit type every unit kind is: its type data, property reads and writes
// and re-creation all follow the kind's rows (see field_rows.h).
//
// The unit class U is a RowUnit, names its rows (`Rows`) and offers:
//   void applyChange(int32_t index)                 for rows that apply
// and where it needs them:
//   bool writeOwn(int32_t index, const PropertyValue&)    rows it takes itself;
//                                                        true to re-create
//   bool readLive(int32_t index, PropertyValue&) const    values the live control
//                                                        holds; false for stored
//   Data currentData() const                       the type data as it now stands
#pragma once

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/core/notify_codes.h"
#include "runtime/ui/field_rows.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/unit_type.h"

namespace tessaly::ui {

// A unit that keeps its type data in the struct its rows describe.
template <class D>
class RowUnit : public Unit {
public:
    using Data = D;

    RowUnit(const UnitType& type, uint32_t windowId, uint32_t unitId, D data)
        : Unit(type, windowId, unitId), data_(std::move(data))
    {
    }

    D& data() { return data_; }
    const D& data() const { return data_; }

protected:
    D data_;
};

// Each kind's unit file instantiates its type (`template class
// RowUnitType<Kind>;`), so the registration list needs no unit's header.
template <class U>
class RowUnitType final : public UnitType {
public:
    RowUnitType(uint32_t typeId, std::string_view name, uint32_t flags);

    uint32_t typeId() const override { return typeId_; }
    std::string_view name() const override { return name_; }
    uint32_t flags() const override { return flags_; }
    std::span<const PropertyInfo> properties() const override { return properties_; }

    Unit* create(const UnitCreateParams& params) const override;
    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override;
    std::vector<uint8_t> currentTypeData(const Unit& unit) const override;
    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override;

private:
    uint32_t typeId_;
    std::string_view name_;
    uint32_t flags_;
    std::vector<PropertyInfo> properties_;
};

template <class U>
RowUnitType<U>::RowUnitType(uint32_t typeId, std::string_view name, uint32_t flags)
    : typeId_(typeId), name_(name), flags_(flags)
{
    for (const auto& row : U::Rows)
        if (row.index != 0) properties_.push_back({row.index, row.kind});
    std::sort(properties_.begin(), properties_.end(), [](const auto& a, const auto& b) { return a.index < b.index; });
}

template <class U>
Unit* RowUnitType<U>::create(const UnitCreateParams& params) const
{
    auto data = readTypeData(U::Rows, params.typeData);
    if (!data) return nullptr;
    return Unit::bringToLife(std::make_unique<U>(*this, params.windowId, params.unitId, std::move(*data)), params);
}

template <class U>
bool RowUnitType<U>::setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const
{
    auto& u = static_cast<U&>(unit);
    const auto* row = rowFor(U::Rows, ownIndex + FirstOwnProperty);
    if (row == nullptr) return false;
    switch (row->change) {
    case OnChange::Own:
        if constexpr (requires { u.writeOwn(row->index, value); }) return u.writeOwn(row->index, value);
        return false;
    case OnChange::Recreate: {
        const Bytes before = encodedField(*row, u.data());
        return storeProperty(*row, u.data(), value) && encodedField(*row, u.data()) != before;
    }
    case OnChange::Store: storeProperty(*row, u.data(), value); return false;
    case OnChange::Apply:
        if (storeProperty(*row, u.data(), value)) u.applyChange(row->index);
        return false;
    }
    return false;
}

template <class U>
std::vector<uint8_t> RowUnitType<U>::currentTypeData(const Unit& unit) const
{
    const auto& u = static_cast<const U&>(unit);
    if constexpr (requires { u.currentData(); })
        return writeTypeData(U::Rows, u.currentData());
    else
        return writeTypeData(U::Rows, u.data());
}

template <class U>
bool RowUnitType<U>::getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const
{
    const auto& u = static_cast<const U&>(unit);
    const auto* row = rowFor(U::Rows, ownIndex + FirstOwnProperty);
    if (row == nullptr) return false;
    if constexpr (requires { u.readLive(row->index, out); })
        if (u.readLive(row->index, out)) return true;
    out = answerProperty(*row, u.data());
    return true;
}

}  // namespace tessaly::ui
