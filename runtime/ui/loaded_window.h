// A loaded top-level window: the live object behind a window's own record. It
// turns window messages into window events, hands control notifications back
// to their units, runs the window's message filter, and owns its menu bar,
// accelerators, icon and notification-area icon.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "runtime/core/win32_handles.h"
#include "runtime/ui/composition.h"
#include "runtime/ui/tray_icon.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/row_unit_type.h"
#include "runtime/ui/window_templates.h"

namespace tessaly::ui {

namespace WindowEvent {
inline constexpr int32_t Created = 0;
inline constexpr int32_t MayClose = 1;
inline constexpr int32_t Destroying = 2;
inline constexpr int32_t Moved = 3;
inline constexpr int32_t Resized = 4;
inline constexpr int32_t Activated = 5;
inline constexpr int32_t Deactivated = 6;
inline constexpr int32_t Idle = 7;
inline constexpr int32_t FirstActivation = 8;
inline constexpr int32_t TrayIcon = 9;
inline constexpr int32_t Shown = 10;
inline constexpr int32_t Hidden = 11;
inline constexpr int32_t Closing = 12;
}  // namespace WindowEvent

inline constexpr wchar_t DefaultWindowClass[] = L"WTWindow";

class LoadedWindow : public RowUnit<WindowData> {
public:
    static constexpr const auto& Rows = WindowRows;

    using RowUnit::RowUnit;

    bool create(const UnitCreateParams& params);

    // The template whose live unit table this window runs on.
    void setTemplate(WindowTemplate* windowTemplate) { template_ = windowTemplate; }
    WindowTemplate* windowTemplate() const { return template_; }

    void applyChange(int32_t index);
    bool writeOwn(int32_t index, const PropertyValue& value);
    bool readLive(int32_t index, PropertyValue& out) const;

    // Runs before a queued message for this window or one of its units is
    // dispatched; true when the message was consumed.
    bool filterMessage(MSG& msg);

    void setMenuBar(UniqueMenu menu, UniqueAccelerators accelerators);
    HACCEL accelerators() const { return accelerators_.get(); }

    // Frame style from border, title, control box and the boxes.
    void applyFrameStyle();
    void applyIcon();
    void applyAlwaysOnTop();
    void applyMovable();

    bool loaded() const { return loaded_; }
    void markLoaded() { loaded_ = true; }
    bool modal() const { return modal_; }
    bool closePending() const { return closePending_; }
    // Destroy with the window command: posted unless `now`.
    void requestClose(bool now);
    // A modal window disables every other top-level window until it closes.
    void disableOthers();
    void restoreDisabled();

    // A control identifier for a new unit, 100, 110, 120 ... in creation
    // order: no two units of the window share one, as WM_MEASUREITEM finds
    // its unit by identifier.
    int32_t takeControlId();

    TrayIcon& trayIcon() { return tray_; }
    // Runs the modal loop until the window is gone.
    void setModal(bool modal) { modal_ = modal; }

    // 2 minimised, 3 maximised, else 0.
    int32_t currentState() const;
    void applyState(int32_t state);

    void show(bool visible) override;
    // A layered window paints its labels itself.
    Composition* composition() override { return composition_.get(); }

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A window moves at once, since its routines hear of every move and size change.
    bool keepsPlacementWhileHidden() const override { return false; }
    HCURSOR cursorAtPointer() const override;

private:
    bool onClose();
    void onDestroy();
    bool onCommand(WPARAM wParam, LPARAM lParam);
    void onTrayNotification(LPARAM lParam);
    bool reflectToUnit(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool handleWindowKeys(MSG& msg, Unit* unit);
    bool clickMnemonic(wchar_t letter);
    void openHelp();
    bool pressDefaultButton(HWND focus);
    COLORREF backgroundColour() const;
    void eraseBackground(HDC dc);
    // Starts or ends painting the labels itself as the window becomes layered or stops being so.
    void followLayering();
    void paintComposition();
    // Mouse input on the window goes to the painted unit under the pointer.
    void routeToComposedUnit(MSG& msg);

    WindowTemplate* template_ = nullptr;
    UniqueMenu menuBar_;
    UniqueAccelerators accelerators_;
    UniqueIcon icon_;
    UniqueIcon smallIcon_;
    TrayIcon tray_;
    std::unique_ptr<Composition> composition_;
    HWND lastPressed_ = nullptr;  // the painted unit the last press fell on
    std::vector<std::pair<HWND, bool>> disabled_;
    bool loaded_ = false;
    bool modal_ = false;
    bool closePending_ = false;
    bool firstActivation_ = true;
    int32_t nextControlId_ = 100;
    bool controlIdsWrapped_ = false;
};

// The window's unit type: its own properties 8-31.
const UnitType& windowUnitType();

}  // namespace tessaly::ui
