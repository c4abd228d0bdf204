#include "runtime/ui/window_templates.h"

#include <utility>

#include "runtime/core/runtime_error.h"
#include "runtime/ui/byte_writer.h"

namespace tessaly::ui {
namespace {

constexpr size_t IndexEntrySize = 8;  // identifier and ignored word

std::optional<WindowTemplate> readWindowRecord(ByteReader& in, uint32_t id)
{
    WindowTemplate w;
    w.id = id;
    w.wordA = in.u32();
    w.moduleId = in.u32();
    w.string1 = in.countedString();
    w.string2 = in.countedString();
    const uint32_t count = in.u32();
    const ByteView blob = in.counted();
    if (!in.ok()) return std::nullopt;
    auto units = UnitTable::parse(blob, count);
    if (!units) return std::nullopt;
    w.units = std::move(*units);
    return w;
}

}  // namespace

void TemplateTable::add(WindowTemplate window)
{
    windows_.push_back(std::make_unique<WindowTemplate>(std::move(window)));
    byId_.try_emplace(windows_.back()->id, windows_.back().get());
}

WindowTemplate* TemplateTable::find(uint32_t windowId)
{
    return const_cast<WindowTemplate*>(std::as_const(*this).find(windowId));
}

const WindowTemplate* TemplateTable::find(uint32_t windowId) const
{
    const auto found = byId_.find(windowId);
    return found == byId_.end() ? nullptr : found->second;
}

void TemplateTable::bindRoutines(uintptr_t codeBase)
{
    for (auto& w : windows_) w->units.bindRoutines(codeBase);
}

std::optional<TemplateTable> readTemplateBlock(ByteView block)
{
    ByteReader in(block);
    const ByteView index = in.counted();
    if (!in.ok() || index.size() % IndexEntrySize != 0) return std::nullopt;
    const size_t n = index.size() / IndexEntrySize;
    TemplateTable table;
    for (size_t i = 0; i < n; ++i) {
        auto window = readWindowRecord(in, loadU32(index.data() + 4 * i));
        if (!window) return std::nullopt;
        table.add(std::move(*window));
    }
    return table;
}

TemplateTable loadTemplateBlock(ByteView block, uintptr_t codeBase)
{
    auto table = readTemplateBlock(block);
    if (!table) reportRuntimeError(TemplateLoadError, 0, 0, 0);
    table->bindRoutines(codeBase);
    return std::move(*table);
}

Bytes writeTemplateBlock(const std::vector<const WindowTemplate*>& windows)
{
    ByteWriter index;
    for (const WindowTemplate* w : windows) index.u32(w->id);
    for (size_t i = 0; i < windows.size(); ++i) index.u32(0);
    ByteWriter out;
    out.counted(ByteView(index.bytes()));
    for (const WindowTemplate* w : windows) {
        const Bytes units = w->units.pack();
        out.u32(w->wordA).u32(w->moduleId).counted(w->string1).counted(w->string2);
        out.u32(static_cast<uint32_t>(w->units.size())).counted(ByteView(units));
    }
    return out.take();
}

void keepPristineCopy(WindowTemplate& window) { window.pristine = window.units; }

void restorePristineCopy(WindowTemplate& window)
{
    if (!window.pristine) return;
    window.units = std::move(*window.pristine);
    window.pristine.reset();
}

}  // namespace tessaly::ui
