// The window layer as the frame sees it: the template table, the loaded
// windows, loading, lookups, the message filter and idle processing, and the
// runtime notifications that concern windows and events.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "runtime/core/window_system.h"
#include "runtime/ui/loaded_window.h"
#include "runtime/ui/window_templates.h"

namespace tessaly::ui {

// The create arguments of a unit from its record: its type data, position
// and the style bits its flags ask for.
UnitCreateParams createParamsOf(const UnitFields& fields, HWND parent, int32_t controlId, uint32_t windowId,
                                uint32_t unitId);

// The live unit in a unit table's object slot, if any.
inline Unit* unitObjectAt(const UnitTable& units, size_t index)
{
    return reinterpret_cast<Unit*>(units.objectSlot(index));
}

class WindowLayer final : public WindowSystem {
public:
    static WindowLayer& instance();

    // Plugs the layer into the frame, the dispatcher and the unit registry.
    void install();

    // Loading; a loaded window is activated, never loaded twice.
    bool load(uint32_t windowId, uint32_t ownerId, bool modal);
    // None when the window is not loaded or its handle is no longer a window.
    LoadedWindow* findWindow(uint32_t windowId) const;
    // Unit id 0 (or the own record's id) is the window itself.
    Unit* findUnit(uint32_t windowId, uint32_t unitId) const;
    // Reports "指定窗口或窗口组件不存在或尚未载入" instead of answering none.
    Unit* findUnitStrict(uint32_t windowId, uint32_t unitId) const;
    // 2 menu type, 1 window-control type, 0 otherwise.
    static int32_t unitKind(uint32_t typeId);
    // The type id of a unit of a known window, 0 when not found.
    uint32_t unitTypeOf(uint32_t windowId, uint32_t unitId) const;

    TemplateTable& templates() { return templates_; }
    void setTemplates(TemplateTable table) { templates_ = std::move(table); }

    // WindowSystem.
    void loadTemplates(std::span<const uint8_t> block, uintptr_t codeBase) override;
    void releaseTemplates() override;
    bool anyWindowLoaded() const override;
    bool filterMessage(void* msg) override;
    bool idle(int32_t count) override;
    intptr_t notify(int32_t code, intptr_t value1, intptr_t value2, bool& handled) override;
    intptr_t readObjectProperty(uint32_t dataType, void* object, int32_t property, TypedValue* out) override;
    intptr_t writeObjectProperty(uint32_t dataType, void* object, int32_t property, const TypedValue& value) override;
    TypedValue getProperty(const PropertyAccess& access) override;
    void setProperty(const PropertyAccess& access, const TypedValue& value) override;
    bool loadStartupWindow(uint32_t windowId) override;
    std::optional<std::string> windowTag(uint32_t windowId) const override;
    std::optional<std::string> unitTag(uint32_t windowId, uint32_t unitId) const override;

private:
    WindowLayer() = default;
    static HCURSOR cursorOf(uint32_t windowId, uint32_t unitId);
    static void onUnitDestroyed(uint32_t windowId, uint32_t unitId, const Unit* unit);
    void unitDestroyed(uint32_t windowId, uint32_t unitId, const Unit* unit);
    LoadedWindow* createWindowUnits(WindowTemplate* window, HWND owner, uint32_t windowId);
    bool createUnits(WindowTemplate& window, LoadedWindow& loaded);
    void finishLoading(WindowTemplate& window, LoadedWindow& loaded, bool modal);
    static void showAndAnnounceFocus(LoadedWindow& loaded);

    TemplateTable templates_;
    std::unordered_map<uint32_t, LoadedWindow*> loaded_;
    std::unordered_map<uint32_t, bool> modalRunning_;
    uint32_t idleStart_ = 0;
};

}  // namespace tessaly::ui
