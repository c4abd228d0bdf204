#include "tools/packer/type_fields.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <stdexcept>
#include <type_traits>
#include <variant>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/type_data_io.h"
#include "tools/packer/text_values.h"

namespace tessaly::pack {
namespace {

namespace fs = std::filesystem;
using ui::Bytes;

Bytes fontValue(const std::string& v)
{
    const auto w = splitWords(v);
    if (w.empty()) return {};
    if (w.size() != 4) throw std::runtime_error("font needs height, weight, character set and face");
    return ui::makeLogFont(static_cast<int32_t>(parseNumber(w[0])), static_cast<int32_t>(parseNumber(w[1])),
                           static_cast<uint8_t>(parseNumber(w[2])), toGbk(w[3]));
}

// Item values are numbers as 32-bit words; any other data is "@file".
Bytes bytesValue(int32_t kind, const std::string& v, const fs::path& base)
{
    if (kind == ui::PropertyKind::Data) {
        ui::ByteWriter out;
        for (const auto& w : splitWords(v)) out.u32(static_cast<uint32_t>(parseNumber(w)));
        return out.take();
    }
    if (v.empty()) return {};
    if (v[0] != '@') throw std::runtime_error("expected @file, got \"" + v + "\"");
    return readFile(base / v.substr(1));
}

std::vector<std::string> itemsValue(const std::string& v)
{
    std::vector<std::string> items;
    if (v.empty()) return items;
    for (const auto& item : splitWords(v, '|')) items.push_back(toGbk(item));
    return items;
}

// Parses one description value into the field: numbers for words, UTF-8
// text stored as GBK, "@file" for binary data (empty: none), "height weight
// charset face" for a font (empty: none), "|"-separated items.
void setField(int32_t kind, std::string_view key, ui::FieldAt field, const std::string& v, const fs::path& base)
{
    using ui::Encoding;
    switch (field.encoding) {
    case Encoding::Int32: field.as<int32_t>() = static_cast<int32_t>(parseNumber(v)); break;
    case Encoding::Word32: field.as<uint32_t>() = static_cast<uint32_t>(parseNumber(v)); break;
    case Encoding::Word16: field.as<uint16_t>() = static_cast<uint16_t>(parseNumber(v)); break;
    case Encoding::Text: field.as<std::string>() = toGbk(v); break;
    case Encoding::Blob: field.as<Bytes>() = kind == ui::PropertyKind::Font ? fontValue(v) : bytesValue(kind, v, base); break;
    case Encoding::Items: field.as<std::vector<std::string>>() = itemsValue(v); break;
    case Encoding::None: throw std::runtime_error("\"" + std::string(key) + "\" is not stored");
    }
}

template <const auto& Rows>
Bytes fromRows(const Entries& entries, const fs::path& base)
{
    typename std::remove_cvref_t<decltype(Rows[0])>::Data d{};
    for (const auto& [key, value] : entries) {
        const auto row = std::find_if(std::begin(Rows), std::end(Rows), [&](const auto& r) { return r.key == key; });
        if (row == std::end(Rows)) throw std::runtime_error("unknown key \"" + key + "\"");
        setField(row->kind, row->key, ui::fieldAt(*row, d), value, base);
    }
    return ui::writeTypeData(Rows, d);
}

struct TypeEntry {
    const char* kind;
    uint32_t typeId;
    Bytes (*build)(const Entries&, const fs::path&);
};

constexpr std::array<TypeEntry, 12> Types = {{
    {"window", ui::TypeId::Window, &fromRows<ui::WindowRows>},
    {"Label", ui::TypeId::Label, &fromRows<ui::LabelRows>},
    {"Button", ui::TypeId::Button, &fromRows<ui::ButtonRows>},
    {"GroupBox", ui::TypeId::GroupBox, &fromRows<ui::GroupBoxRows>},
    {"CheckBox", ui::TypeId::CheckBox, &fromRows<ui::CheckBoxRows>},
    {"ComboBox", ui::TypeId::ComboBox, &fromRows<ui::ComboBoxRows>},
    {"EditBox", ui::TypeId::EditBox, &fromRows<ui::EditBoxRows>},
    {"PicBox", ui::TypeId::PicBox, &fromRows<ui::PicBoxRows>},
    {"ColorPicker", ui::TypeId::ColorPicker, &fromRows<ui::ColorPickerRows>},
    {"SliderBar", ui::TypeId::SliderBar, &fromRows<ui::SliderBarRows>},
    {"Timer", ui::TypeId::Timer, &fromRows<ui::TimerRows>},
    {"ChkListBox", ui::TypeId::ChkListBox, &fromRows<ui::CheckListBoxRows>},
}};

}  // namespace

uint32_t unitTypeOf(const std::string& kind)
{
    for (const TypeEntry& t : Types) {
        if (kind == t.kind && t.typeId != ui::TypeId::Window) return t.typeId;
    }
    return 0;
}

Bytes buildTypeData(uint32_t typeId, const Entries& entries, const fs::path& baseDir)
{
    for (const TypeEntry& t : Types) {
        if (t.typeId == typeId) return t.build(entries, baseDir);
    }
    throw std::runtime_error("no type data for type " + std::to_string(typeId));
}

}  // namespace tessaly::pack
