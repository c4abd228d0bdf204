// A unit type's type data described as one table of rows, in the order the
// fields lie in the block: each row names the struct member, the property
// that shows it, how a new value is taken, from which version of the block
// on it is there, and the key the packer's descriptions give it. Reading and
// writing the block, property reads and writes and the packer all follow the
// same rows, so a property is its data member and its row, nothing more.
// Platform-free: the packer builds it natively.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/ui/byte_reader.h"
#include "runtime/ui/byte_writer.h"
#include "runtime/ui/property_value.h"
#include "runtime/ui/type_data_io.h"

namespace tessaly::ui {

// What taking a program's new value involves beyond storing it.
enum class OnChange : uint8_t {
    Apply,     // the unit shows the change (its applyChange)
    Store,     // kept for the program only
    Recreate,  // the unit's window is made anew when the value changed
    Own,       // the unit takes the value itself (its writeOwn)
};

// One of three colours kept together in the struct.
template <class D>
struct ColourOf {
    std::array<uint32_t, 3> D::*colours;
    size_t at;
};

// A property the unit answers from its live control alone, such as the
// selected text: nothing in the block holds it.
struct NoField {};
inline constexpr NoField Unstored{};

// The member a row stands for; its type gives the encoding in the block:
// 32- or 16-bit words, a counted string, a counted blob (a font blob when
// the row's kind is a font) or a list of items.
template <class D>
using FieldOf = std::variant<int32_t D::*, uint32_t D::*, uint16_t D::*, ColourOf<D>, std::string D::*, Bytes D::*,
                             std::vector<std::string> D::*, NoField>;

inline constexpr int32_t NoLimit = INT32_MAX;

// The range a new integer is clamped to; none unless minimum <= maximum.
struct Range {
    int32_t minimum = 0;
    int32_t maximum = -1;
    constexpr bool given() const { return minimum <= maximum; }
};

template <class D>
struct FieldRow {
    using Data = D;
    FieldOf<D> field;
    std::string_view key;  // the packer's description key
    int32_t index = 0;     // the property showing it; 0 for none
    int32_t kind = PropertyKind::Integer;
    Range range{};
    OnChange change = OnChange::Apply;
    uint32_t since = 1;  // the first version of the block that holds it
};

template <class D>
constexpr ColourOf<D> colourAt(std::array<uint32_t, 3> D::*colours, size_t at)
{
    return {colours, at};
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// The property index the row with this key shows; a compile error when no row has it.
template <class D, size_t N>
consteval int32_t propertyIndex(const FieldRow<D> (&rows)[N], std::string_view key)
{
    for (const FieldRow<D>& row : rows)
        if (row.key == key) return row.index;
    throw "no such row";
}

template <class D, size_t N>
const FieldRow<D>* rowFor(const FieldRow<D> (&rows)[N], int32_t index)
{
    for (const FieldRow<D>& row : rows)
        if (row.index == index && index != 0) return &row;
    return nullptr;
}

// Where a row's field lies in one struct and how the block encodes it: the
// member pointer is resolved here, once per kind, and everything past it
// works on the field alone.
enum class Encoding : uint8_t { Int32, Word32, Word16, Text, Blob, Items, None };

struct FieldAt {
    Encoding encoding = Encoding::None;
    void* at = nullptr;

    template <class T>
    T& as() const
    {
        return *static_cast<T*>(at);
    }
};

// Out of line: inlined where a small struct lives on the stack, GCC 12
// takes the branches for member types the struct has none of as reaches
// outside it, and warns.
template <class D>
[[gnu::noinline]] FieldAt fieldAt(const FieldRow<D>& row, D& d)
{
    const FieldOf<D>& f = row.field;
    if (const auto m = std::get_if<int32_t D::*>(&f)) return {Encoding::Int32, &(d.**m)};
    if (const auto m = std::get_if<uint32_t D::*>(&f)) return {Encoding::Word32, &(d.**m)};
    if (const auto m = std::get_if<uint16_t D::*>(&f)) return {Encoding::Word16, &(d.**m)};
    if (const auto c = std::get_if<ColourOf<D>>(&f)) return {Encoding::Word32, &(d.*c->colours)[c->at]};
    if (const auto m = std::get_if<std::string D::*>(&f)) return {Encoding::Text, &(d.**m)};
    if (const auto m = std::get_if<Bytes D::*>(&f)) return {Encoding::Blob, &(d.**m)};
    if (const auto m = std::get_if<std::vector<std::string> D::*>(&f)) return {Encoding::Items, &(d.**m)};
    return {};
}

// Readers of a field only: nothing writes through what a const struct gives.
template <class D>
FieldAt fieldAt(const FieldRow<D>& row, const D& d)
{
    return fieldAt(row, const_cast<D&>(d));
}

// A font blob for a font row, a counted blob for other data.
void readField(ByteReader& in, int32_t kind, FieldAt field);
void writeField(ByteWriter& out, FieldAt field);
// Stores a program's value in the field; false when it cannot be taken.
bool storeValue(int32_t kind, Range range, FieldAt field, const PropertyValue& value);
// The stored value; texts and data point into the field.
PropertyValue answerValue(int32_t kind, FieldAt field);

// The block read by the rows, fields its version lacks left at their
// defaults; none when the version is unknown or the block is cut short.
template <class D, size_t N>
std::optional<D> readTypeData(const FieldRow<D> (&rows)[N], ByteView data)
{
    ByteReader in(data);
    const std::optional<uint32_t> version = readVersion(in, D::HighestVersion);
    if (!version) return std::nullopt;
    D d;
    for (const FieldRow<D>& row : rows)
        if (row.since <= *version) readField(in, row.kind, fieldAt(row, d));
    if (!in.ok()) return std::nullopt;
    return d;
}

// The block in the newest version.
template <class D, size_t N>
Bytes writeTypeData(const FieldRow<D> (&rows)[N], const D& d)
{
    ByteWriter out;
    out.u32(D::HighestVersion);
    for (const FieldRow<D>& row : rows) writeField(out, fieldAt(row, d));
    return out.take();
}

template <class D>
bool storeProperty(const FieldRow<D>& row, D& d, const PropertyValue& value)
{
    return storeValue(row.kind, row.range, fieldAt(row, d), value);
}

template <class D>
PropertyValue answerProperty(const FieldRow<D>& row, const D& d)
{
    return answerValue(row.kind, fieldAt(row, d));
}

// The row's field as the block holds it, to tell whether a write changed it.
template <class D>
Bytes encodedField(const FieldRow<D>& row, const D& d)
{
    ByteWriter out;
    writeField(out, fieldAt(row, d));
    return out.take();
}

}  // namespace tessaly::ui
