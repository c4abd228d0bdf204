#include "tools/packer/program_builder.h"

#include <map>
#include <stdexcept>
#include <variant>

#include "tools/packer/text_values.h"
#include "tools/packer/type_fields.h"

namespace tessaly::pack {
namespace {

using ui::Bytes;
using Record = std::variant<ui::UnitRecord, ui::MenuItemRecord>;

struct PendingWindow {
    ui::WindowTemplate window;
    std::vector<std::pair<uint32_t, Record>> records;
};

class Builder {
public:
    explicit Builder(std::filesystem::path baseDir) : baseDir_(std::move(baseDir)) {}

    void section(const Section& s);
    PackedProgram finish();

private:
    void routines(const Section& s);
    void window(const Section& s);
    void menuItem(const Section& s);
    void unit(const Section& s, uint32_t typeId);
    // Takes the keys every unit record has; answers the type's own keys.
    Entries commonKeys(const Section& s, ui::UnitRecord& r, bool isWindow);
    uint32_t routineWord(const std::string& name) const;
    std::vector<ui::EventBinding> bindings(const std::string& value) const;
    void closeWindow();
    PendingWindow& current(const Section& s);

    std::filesystem::path baseDir_;
    std::vector<std::string> routineNames_;
    std::map<std::string, uint32_t> routineIndex_;
    std::optional<PendingWindow> pending_;
    PackedProgram program_;
};

uint32_t identifier(const std::string& text) { return static_cast<uint32_t>(parseNumber(text)); }

uint32_t flagWords(const std::string& value)
{
    static const std::map<std::string, uint32_t> names = {
        {"visible", ui::UnitFlag::Visible}, {"disabled", ui::UnitFlag::Disabled},
        {"tabstop", ui::UnitFlag::TabStop}, {"ownerdraw", ui::UnitFlag::OwnerDrawMenu},
        {"hidden", ui::MenuState::Hidden}, {"checked", ui::MenuState::Checked}};
    uint32_t flags = 0;
    for (const auto& w : splitWords(value)) {
        const auto it = names.find(w);
        if (it == names.end()) throw std::runtime_error("unknown flag \"" + w + "\"");
        flags |= it->second;
    }
    return flags;
}

void Builder::section(const Section& s)
{
    try {
        if (s.kind == "routines") return routines(s);
        if (s.kind == "window") return window(s);
        if (s.kind == "menu") return menuItem(s);
        const uint32_t type = unitTypeOf(s.kind);
        if (type == 0) throw std::runtime_error("unknown section kind \"" + s.kind + "\"");
        unit(s, type);
    } catch (const std::exception& e) {
        throw std::runtime_error("section at line " + std::to_string(s.line) + ": " + e.what());
    }
}

void Builder::routines(const Section& s)
{
    for (const std::string& name : s.plainLines) {
        if (!routineIndex_.emplace(name, static_cast<uint32_t>(routineNames_.size())).second)
            throw std::runtime_error("routine \"" + name + "\" listed twice");
        routineNames_.push_back(name);
    }
}

uint32_t Builder::routineWord(const std::string& name) const
{
    if (name == "none") return ui::NoRoutineWord;
    const auto it = routineIndex_.find(name);
    if (it == routineIndex_.end()) throw std::runtime_error("unknown routine \"" + name + "\"");
    return it->second * ThunkSize;
}

// "event routine, event routine, ..."
std::vector<ui::EventBinding> Builder::bindings(const std::string& value) const
{
    std::vector<ui::EventBinding> result;
    for (const auto& pair : splitWords(value, ',')) {
        const auto w = splitWords(pair);
        if (w.size() != 2) throw std::runtime_error("a binding is \"event routine\", got \"" + pair + "\"");
        result.push_back({static_cast<int32_t>(parseNumber(w[0])), routineWord(w[1])});
    }
    return result;
}

Entries Builder::commonKeys(const Section& s, ui::UnitRecord& r, bool isWindow)
{
    Entries own;
    for (const auto& [key, value] : s.entries) {
        if (key == "position") {
            const auto w = splitWords(value);
            if (w.size() != 4) throw std::runtime_error("position needs left, top, width, height");
            r.position = {static_cast<int32_t>(parseNumber(w[0])), static_cast<int32_t>(parseNumber(w[1])),
                          static_cast<int32_t>(parseNumber(w[2])), static_cast<int32_t>(parseNumber(w[3]))};
        } else if (key == "flags") {
            r.flags = flagWords(value);
        } else if (key == "events") {
            r.bindings = bindings(value);
        } else if (key == "container") {
            r.container = identifier(value);
        } else if (key == "source") {
            r.eventSource = identifier(value);
        } else if (key == "tag") {
            r.tag = toGbk(value);
        } else if (key == "focusOrder") {
            r.focusOrder = static_cast<uint32_t>(parseNumber(value));
        } else if (key == "mousePointer") {
            r.mousePointer = readFile(baseDir_ / value.substr(value.starts_with('@') ? 1 : 0));
        } else if (isWindow && (key == "module" || key == "own" || key == "wordA")) {
            continue;
        } else {
            own.emplace_back(key, value);
        }
    }
    return own;
}

PendingWindow& Builder::current(const Section& s)
{
    if (!pending_) throw std::runtime_error("\"" + s.kind + "\" outside a window");
    return *pending_;
}

void Builder::window(const Section& s)
{
    closeWindow();
    pending_.emplace();
    ui::WindowTemplate& w = pending_->window;
    w.id = identifier(s.id);
    ui::UnitRecord own;
    own.typeId = ui::TypeId::Window;
    uint32_t ownId = 0;
    for (const auto& [key, value] : s.entries) {
        if (key == "module") w.moduleId = identifier(value);
        if (key == "wordA") w.wordA = identifier(value);
        if (key == "own") ownId = identifier(value);
    }
    if (ownId == 0) throw std::runtime_error("a window needs its own record's identifier (own = ...)");
    own.typeData = buildTypeData(ui::TypeId::Window, commonKeys(s, own, true), baseDir_);
    pending_->records.emplace_back(ownId, std::move(own));
}

void Builder::menuItem(const Section& s)
{
    ui::MenuItemRecord m;
    for (const auto& [key, value] : s.entries) {
        if (key == "level") m.level = static_cast<uint32_t>(parseNumber(value));
        else if (key == "state") m.state = flagWords(value);
        else if (key == "caption") m.caption = toGbk(value);
        else if (key == "routine") m.routine = routineWord(value);
        else if (key == "shortcut") m.shortcut = static_cast<uint32_t>(parseNumber(value));
        else throw std::runtime_error("unknown menu key \"" + key + "\"");
    }
    current(s).records.emplace_back(identifier(s.id), std::move(m));
}

void Builder::unit(const Section& s, uint32_t typeId)
{
    ui::UnitRecord r;
    r.typeId = typeId;
    r.name = toGbk(s.name);
    r.typeData = buildTypeData(typeId, commonKeys(s, r, false), baseDir_);
    current(s).records.emplace_back(identifier(s.id), std::move(r));
}

// Containers list the units that name them, in table order.
void fillChildren(std::vector<std::pair<uint32_t, Record>>& records)
{
    for (const auto& [id, record] : records) {
        const auto* unit = std::get_if<ui::UnitRecord>(&record);
        if (!unit || unit->container == 0) continue;
        bool found = false;
        for (auto& [containerId, container] : records) {
            auto* c = std::get_if<ui::UnitRecord>(&container);
            if (containerId == unit->container && c) {
                c->children.push_back(id);
                found = true;
            }
        }
        if (!found) throw std::runtime_error("container of unit " + std::to_string(id) + " not found");
    }
}

void Builder::closeWindow()
{
    if (!pending_) return;
    fillChildren(pending_->records);
    ui::UnitTable& units = pending_->window.units;
    for (const auto& [id, record] : pending_->records) {
        const Bytes body = std::holds_alternative<ui::UnitRecord>(record)
                               ? ui::encodeUnitRecord(std::get<ui::UnitRecord>(record))
                               : ui::encodeMenuItemRecord(std::get<ui::MenuItemRecord>(record));
        if (!units.addRecord(id, body)) throw std::runtime_error("unit identifier " + std::to_string(id) + " repeats");
    }
    program_.windows.push_back(std::move(pending_->window));
    pending_.reset();
}

PackedProgram Builder::finish()
{
    closeWindow();
    program_.routines = routineNames_;
    return std::move(program_);
}

}  // namespace

ui::Bytes PackedProgram::block() const
{
    std::vector<const ui::WindowTemplate*> order;
    for (const auto& w : windows) order.push_back(&w);
    return ui::writeTemplateBlock(order);
}

PackedProgram buildProgram(const std::vector<Section>& sections, const std::filesystem::path& baseDir)
{
    Builder builder(baseDir);
    for (const Section& s : sections) builder.section(s);
    return builder.finish();
}

}  // namespace tessaly::pack
