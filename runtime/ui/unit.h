// A live unit: the object behind a unit record's object slot. It owns the
// bridge between its window handle and the runtime (events, destruction), and
// deletes itself when its window is gone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "runtime/ui/event_dispatch.h"
#include "runtime/ui/unit_type.h"

namespace tessaly::ui {

class Composition;

// Private messages the runtime sends units and windows.
namespace UnitMessage {
inline constexpr UINT FinishSetup = 0x806F;     // to each unit after creation
inline constexpr UINT WindowSetup = 0x8004;     // to the window after its units
inline constexpr UINT Loaded = 0x8076;          // to each unit at the end of loading
inline constexpr UINT Feedback = 0x8075;        // a label's event 0
inline constexpr UINT DeferredClose = 0x8065;   // a window destroys itself
// Asks a unit for the size of its caption in its own font (lParam: a SIZE to
// fill); a unit without a caption answers 0 and leaves it untouched.
inline constexpr UINT MeasureCaption = 0x8077;
// A window hands control notifications (WM_COMMAND, WM_NOTIFY, WM_HSCROLL,
// WM_CTLCOLOR*, WM_DRAWITEM ...) back to the unit that sent them, as this
// offset plus the original message, so each unit handles its own.
inline constexpr UINT ReflectOffset = 0x2000;
}  // namespace UnitMessage

class Unit {
public:
    Unit(const UnitType& type, uint32_t windowId, uint32_t unitId) : type_(type), windowId_(windowId), unitId_(unitId) {}
    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;
    virtual ~Unit();

    HWND handle() const { return handle_; }
    const UnitType& type() const { return type_; }
    uint32_t windowId() const { return windowId_; }
    uint32_t unitId() const { return unitId_; }

    // Finds the unit behind a handle, if the handle belongs to one.
    static Unit* fromHandle(HWND handle);

    // Brings a new unit to life: calls its create(params, extra...), which
    // makes its window. Until the window takes the unit over (at WM_NCCREATE,
    // or when a standard control is subclassed) `unit` owns it; from then on
    // the window does, and its destruction deletes the unit, also when the
    // creation fails after that point. Null when the window could not be made.
    template <class T, class... Extra>
    static Unit* bringToLife(std::unique_ptr<T> unit, const UnitCreateParams& params, Extra&&... extra);

    // False once the unit's window is gone. An event routine may destroy its
    // own unit or window; whoever fired the event checks this before going on.
    bool alive() const { return !destroyed_; }

    // Where the unit stands in its parent's client area: the placement it was
    // last given, also while that placement still waits to be applied.
    RECT placement() const;
    // Moves and sizes the unit. A unit whose window is hidden keeps the new
    // placement and applies it with the next change of its window's position,
    // its showing included: even a hidden window's move costs a round of
    // window-position messages and server requests under Wine, and a program
    // that places a new unit field by field before showing it (the caption
    // tool makes a thousand captions so) then pays that once, not four times.
    // `unchanged` is SWP_NOMOVE or SWP_NOSIZE when the change keeps that part.
    void place(const RECT& rect, UINT unchanged);
    // Applies a waiting placement now: before the unit's handle is handed to
    // code that may read its rectangle, and wherever the unit is shown.
    void applyPendingPlacement();

    // Whether the unit shows, and showing or hiding it: its window's
    // visibility, except for a unit its window paints itself (a label on a
    // layered window), whose window stays hidden from the window system.
    virtual bool shown() const;
    // A unit shown takes its waiting placement along.
    virtual void show(bool visible);

    // The cursor its mouse pointer property has loaded, null for the default.
    HCURSOR cursor() const;

    // A window that paints units on it itself answers how; none otherwise.
    virtual Composition* composition() { return nullptr; }
    // Hands a unit that can be painted so to its window's composition, or
    // (with none) back to the window system.
    virtual void composeInto(Composition*) {}

    // Fires one of this unit's events; nothing once the unit's window is gone.
    EventRecord fire(int32_t event, std::initializer_list<int32_t> arguments = {}) const;

    // Keeps the object (not its window) while held, so code that fires an
    // event through a unit can still look at it afterwards. Every message to a
    // unit is handled under a hold; a unit whose window is destroyed meanwhile
    // is deleted when its last hold ends.
    class Hold {
    public:
        explicit Hold(Unit& unit) : unit_(unit) { ++unit_.holds_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        ~Hold()
        {
            if (--unit_.holds_ == 0 && unit_.destroyed_) delete &unit_;
        }

    private:
        Unit& unit_;
    };

protected:
    // Creates the unit's window of a class registered by the type
    // (or a standard control class, which is subclassed).
    bool createWindow(DWORD extendedStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                      const UnitCreateParams& params);
    // A unit's own message handling; answers through `result` when it handled the message.
    virtual bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Controls that report focus changes through their own notifications
    // (EN_KILLFOCUS, CBN_SETFOCUS ...) raise -7 and -8 from those instead:
    // a combo box passes its focus on to its edit field, and an edit box
    // rewrites a number before it reports the lost focus.
    virtual bool reportsFocusByNotification() const { return false; }
    LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam);
    // Whether place() may keep a hidden unit's placement for later.
    virtual bool keepsPlacementWhileHidden() const { return true; }
    // Told of every change place() makes, applied or waiting.
    virtual void placementChanged(const RECT& from, const RECT& to);
    // The cursor to show over the unit's client area at the pointer.
    virtual HCURSOR cursorAtPointer() const { return cursor(); }

    // The procedure for classes that units register themselves.
    static LRESULT CALLBACK unitProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR unit);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND handle);
    void detach();
    // Drops the handle's entry in the lookup of fromHandle.
    void forget();
    void moveWindowTo(const RECT& rect, UINT flags);
    // Puts a waiting placement into a change of the window's position that is
    // under way; what the change sets itself wins.
    void takePendingPlacement(WINDOWPOS& change);

    const UnitType& type_;
    uint32_t windowId_;
    uint32_t unitId_;
    HWND handle_ = nullptr;
    bool subclassed_ = false;  // a standard control, reached through the system's subclass chain
    std::unique_ptr<Unit>* creator_ = nullptr;  // the owner until the window takes over
    int32_t holds_ = 0;
    bool destroyed_ = false;
    std::optional<RECT> pendingPlacement_;
};

template <class T, class... Extra>
Unit* Unit::bringToLife(std::unique_ptr<T> unit, const UnitCreateParams& params, Extra&&... extra)
{
    T& created = *unit;
    std::unique_ptr<Unit> owner = std::move(unit);
    created.creator_ = &owner;
    // On failure `owner` still deletes a unit no window took; one that a
    // window took is already gone with that window.
    if (!created.create(params, std::forward<Extra>(extra)...)) return nullptr;
    return &created;
}

// Called by every unit when its window is destroyed (the object is about to
// go; its address only identifies it); the window layer clears the record's
// object and pointer slots.
using UnitDestroyedHandler = void (*)(uint32_t windowId, uint32_t unitId, const Unit* unit);
void setUnitDestroyedHandler(UnitDestroyedHandler handler);

// The cursor a unit's mouse pointer property has loaded, null for the default.
using UnitCursorLookup = HCURSOR (*)(uint32_t windowId, uint32_t unitId);
void setUnitCursorLookup(UnitCursorLookup lookup);

}  // namespace tessaly::ui
