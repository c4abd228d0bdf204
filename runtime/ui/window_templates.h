// The template table: every window template of the program, read once from
// the template block and looked up by window identifier.
//
// The block: a window index (a counted blob of n window identifiers followed
// by n ignored words), then n window records in index order. A window record:
// word A, module id, two counted strings, the unit count and the unit table
// as a counted blob (unit_table.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/ui/byte_reader.h"
#include "runtime/ui/unit_table.h"

namespace tessaly::ui {

inline constexpr std::string_view TemplateLoadError = "载入窗口模板数据段出错!";

struct WindowTemplate {
    uint32_t id = 0;
    uint32_t wordA = 0;     // kept, not used
    uint32_t moduleId = 0;  // kept, not used
    std::string string1;    // kept, not used
    std::string string2;    // kept, not used
    UnitTable units;         // the live table
    std::optional<UnitTable> pristine;  // taken while the window is loaded

    // The window's own record is always the first entry.
    uint32_t ownRecordId() const { return units.idAt(0); }
};

class TemplateTable {
public:
    // Window records move with their unique owners: pointers to them stay valid.
    void add(WindowTemplate window);

    // Where an identifier stands twice, the first window answers.
    WindowTemplate* find(uint32_t windowId);
    const WindowTemplate* find(uint32_t windowId) const;
    WindowTemplate* at(size_t index) { return index < windows_.size() ? windows_[index].get() : nullptr; }
    const WindowTemplate* at(size_t index) const { return index < windows_.size() ? windows_[index].get() : nullptr; }
    size_t size() const { return windows_.size(); }

    void bindRoutines(uintptr_t codeBase);

private:
    std::vector<std::unique_ptr<WindowTemplate>> windows_;
    std::unordered_map<uint32_t, WindowTemplate*> byId_;
};

// None when the block ends early or holds an impossible length or count;
// never reads outside the block.
std::optional<TemplateTable> readTemplateBlock(ByteView block);
// Start-up: reads and binds, or reports the fatal TemplateLoadError.
TemplateTable loadTemplateBlock(ByteView block, uintptr_t codeBase);
// The block form of a set of windows, in order.
Bytes writeTemplateBlock(const std::vector<const WindowTemplate*>& windows);

// The pristine copy: taken when a window is loaded, put back when it is destroyed.
void keepPristineCopy(WindowTemplate& window);
void restorePristineCopy(WindowTemplate& window);

}  // namespace tessaly::ui
