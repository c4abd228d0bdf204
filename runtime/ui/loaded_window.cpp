#include "runtime/ui/loaded_window.h"

#include <shellapi.h>

#include <cwctype>
#include <string>

#include "runtime/core/runtime_app.h"
#include "runtime/core/text_encoding.h"
#include "runtime/ui/icon_data.h"
#include "runtime/ui/menu_builder.h"
#include "runtime/ui/unit_class.h"
#include "runtime/ui/message_events.h"
#include "runtime/ui/window_style.h"

namespace tessaly::ui {
namespace {

bool isCommonInput(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

bool isKeyboard(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Mouse messages with client coordinates (the wheel's are the screen's).
bool isClientMouse(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL && message != WM_MOUSEHWHEEL;
}

bool isPress(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

// The press a double-click stands for.
UINT pressOf(UINT doubleClick)
{
    switch (doubleClick) {
    case WM_LBUTTONDBLCLK: return WM_LBUTTONDOWN;
    case WM_RBUTTONDBLCLK: return WM_RBUTTONDOWN;
    case WM_MBUTTONDBLCLK: return WM_MBUTTONDOWN;
    default: return 0;
    }
}

bool wantsKey(HWND control, MSG& msg, UINT code)
{
    return control != nullptr && (SendMessageW(control, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & code) != 0;
}

// The unit a message belongs to: the handle's own unit, or for a combo box's
// edit field the combo box.
Unit* unitOfMessage(HWND handle)
{
    if (Unit* unit = Unit::fromHandle(handle)) return unit;
    HWND parent = GetParent(handle);
    Unit* owner = Unit::fromHandle(parent);
    if (owner != nullptr && owner->type().typeId() == TypeId::ComboBox) return owner;
    return nullptr;
}

}  // namespace

bool LoadedWindow::create(const UnitCreateParams& params)
{
    const std::wstring className = data_.className.empty() ? DefaultWindowClass : widenGbk(data_.className);
    ensureUnitClass(className.c_str(), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, &Unit::unitProcedure);
    DWORD style = WS_CLIPCHILDREN | (params.style & WS_DISABLED);
    if (params.parent != nullptr) style |= WS_POPUP;
    int left = params.left, top = params.top;
    if (data_.windowState == 1) {
        left = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
    }
    const std::wstring title = widenGbk(data_.title);
    HWND handle = CreateWindowExW(0, className.c_str(), title.c_str(), style, left, top, params.width, params.height,
                                  params.parent, params.menu, GetModuleHandleW(nullptr), static_cast<Unit*>(this));
    if (handle == nullptr) return false;
    applyFrameStyle();
    applyIcon();
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    applyAlwaysOnTop();
    applyMovable();
    if (data_.windowState == 2) ShowWindow(handle, SW_MINIMIZE);
    if (data_.windowState == 3 && (data_.border == 1 || data_.border == 3 || data_.border == 5)) ShowWindow(handle, SW_MAXIMIZE);
    return true;
}

void LoadedWindow::applyFrameStyle()
{
    const FrameStyle frame = frameStyle({.border = data_.border,
                                         .hasTitle = !data_.title.empty(),
                                         .controlBox = data_.controlBox != 0,
                                         .maximiseBox = data_.maximiseBox != 0,
                                         .minimiseBox = data_.minimiseBox != 0});
    HWND h = handle();
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE));
    SetWindowLongPtrW(h, GWL_STYLE, static_cast<LONG_PTR>((style & ~FrameStyleMask) | frame.style));
    SetWindowLongPtrW(h, GWL_EXSTYLE, static_cast<LONG_PTR>((extended & ~FrameExtendedStyleMask) | frame.extendedStyle));
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void LoadedWindow::applyIcon()
{
    icon_ = iconFromFileBytes(data_.icon, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    smallIcon_ = iconFromFileBytes(data_.icon, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void LoadedWindow::applyAlwaysOnTop()
{
    SetWindowPos(handle(), data_.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void LoadedWindow::applyMovable()
{
    GetSystemMenu(handle(), TRUE);  // back to the full system menu
    if (!data_.movable) RemoveMenu(GetSystemMenu(handle(), FALSE), SC_MOVE, MF_BYCOMMAND);
}

void LoadedWindow::setMenuBar(UniqueMenu menu, UniqueAccelerators accelerators)
{
    SetMenu(handle(), menu.get());
    menuBar_ = std::move(menu);
    accelerators_ = std::move(accelerators);
}

int32_t LoadedWindow::currentState() const
{
    if (IsIconic(handle())) return 2;
    if (IsZoomed(handle())) return 3;
    return 0;
}

void LoadedWindow::applyState(int32_t state)
{
    data_.windowState = state;
    if (!IsWindowVisible(handle())) return;
    switch (state) {
    case 1: {
        ShowWindow(handle(), SW_RESTORE);
        RECT r;
        GetWindowRect(handle(), &r);
        SetWindowPos(handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    case 2: ShowWindow(handle(), SW_MINIMIZE); break;
    case 3: ShowWindow(handle(), SW_MAXIMIZE); break;
    default: ShowWindow(handle(), SW_RESTORE); break;
    }
}

void LoadedWindow::show(bool visible) { ShowWindow(handle(), visible ? SW_SHOW : SW_HIDE); }

void LoadedWindow::followLayering()
{
    const bool layered = (GetWindowLongPtrW(handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (layered == (composition_ != nullptr)) return;
    if (layered) composition_ = std::make_unique<Composition>(handle());
    // Bottom first, so each joins on top of the ones before it.
    std::vector<Unit*> children;
    for (HWND child = GetWindow(handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (Unit* unit = Unit::fromHandle(child)) children.insert(children.begin(), unit);
    for (Unit* unit : children) unit->composeInto(layered ? composition_.get() : nullptr);
    if (!layered) {
        composition_.reset();
        lastPressed_ = nullptr;
    }
}

void LoadedWindow::paintComposition()
{
    const PaintDC dc(handle());
    composition_->paint(dc.get(), dc.area(), backgroundColour());
}

HCURSOR LoadedWindow::cursorAtPointer() const
{
    if (composition_ != nullptr) {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(handle(), &at);
        // Over a painted unit, its own pointer or the default one.
        if (ComposedUnit* unit = composition_->unitAt(at)) return unit->unit().cursor();
    }
    return cursor();
}

void LoadedWindow::routeToComposedUnit(MSG& msg)
{
    if (composition_ == nullptr || msg.hwnd != handle() || !isClientMouse(msg.message)) return;
    const POINT at{static_cast<int16_t>(LOWORD(msg.lParam)), static_cast<int16_t>(HIWORD(msg.lParam))};
    ComposedUnit* target = composition_->unitAt(at);
    HWND targetHandle = target != nullptr ? target->unit().handle() : nullptr;
    // The system counts two clicks on the window as a double-click; on two
    // different units they are two presses.
    if (const UINT press = pressOf(msg.message); press != 0 && targetHandle != lastPressed_) msg.message = press;
    if (isPress(msg.message)) lastPressed_ = targetHandle;
    if (target == nullptr) return;
    const POINT origin = target->clientOrigin();
    msg.hwnd = targetHandle;
    msg.lParam = MAKELPARAM(at.x - origin.x, at.y - origin.y);
}

void LoadedWindow::requestClose(bool now)
{
    closePending_ = true;
    if (now) {
        restoreDisabled();
        DestroyWindow(handle());
    } else {
        PostMessageW(handle(), UnitMessage::DeferredClose, 0, 0);
    }
}

int32_t LoadedWindow::takeControlId()
{
    constexpr int32_t First = 100, Step = 10, Last = 0xFFFF;
    for (int32_t tried = 0; tried <= (Last - First) / Step; ++tried) {
        const int32_t id = nextControlId_;
        const bool fresh = !controlIdsWrapped_;
        nextControlId_ += Step;
        if (nextControlId_ > Last) {
            nextControlId_ = First;
            controlIdsWrapped_ = true;
        }
        // Once the count has gone round, identifiers still in use are skipped.
        if (fresh || GetDlgItem(handle(), id) == nullptr) return id;
    }
    return First;
}

void LoadedWindow::disableOthers()
{
    struct Search {
        HWND self;
        std::vector<std::pair<HWND, bool>>* disabled;
    } search{handle(), &disabled_};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (w == s->self || GetParent(w) != nullptr || !Unit::fromHandle(w)) return TRUE;
            s->disabled->push_back({w, IsWindowEnabled(w) != FALSE});
            EnableWindow(w, FALSE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
}

void LoadedWindow::restoreDisabled()
{
    for (const auto& [window, enabled] : disabled_)
        if (IsWindow(window)) EnableWindow(window, enabled);
    disabled_.clear();
}

bool LoadedWindow::onClose()
{
    // Either routine may destroy the window itself; the close then ends there.
    const EventRecord closing = fire(WindowEvent::Closing);
    if (!alive() || (closing.returned && closing.value == 0)) return false;
    const EventRecord mayClose = fire(WindowEvent::MayClose);
    if (!alive() || (mayClose.returned && mayClose.value == 0)) return false;
    restoreDisabled();
    DestroyWindow(handle());
    return true;
}

void LoadedWindow::onDestroy()
{
    fire(WindowEvent::Destroying);
    SetMenu(handle(), nullptr);
    menuBar_.reset();
    tray_.remove();
    restoreDisabled();
}

void LoadedWindow::onTrayNotification(LPARAM lParam)
{
    int32_t action = 0;
    switch (LOWORD(lParam)) {
    case WM_LBUTTONUP: action = 1; break;
    case WM_LBUTTONDBLCLK: action = 2; break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: action = 3; break;
    default: return;
    }
    fire(WindowEvent::TrayIcon, {action});
}

bool LoadedWindow::reflectToUnit(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (control == nullptr || control == handle() || Unit::fromHandle(control) == nullptr) return false;
    result = SendMessageW(control, UnitMessage::ReflectOffset + message, wParam, lParam);
    return true;
}

COLORREF LoadedWindow::backgroundColour() const
{
    return data_.backgroundColour == 0xFF000000 ? GetSysColor(COLOR_BTNFACE) : data_.backgroundColour;
}

void LoadedWindow::eraseBackground(HDC dc)
{
    RECT r;
    GetClientRect(handle(), &r);
    UniqueBrush brush(CreateSolidBrush(backgroundColour()));
    FillRect(dc, &r, brush.get());
}

bool LoadedWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_ERASEBKGND:
        // A window that paints its labels paints its background with them.
        if (composition_ == nullptr) eraseBackground(reinterpret_cast<HDC>(wParam));
        result = 1;
        return true;
    case WM_CLOSE:
        onClose();
        result = 0;
        return true;
    case WM_QUERYENDSESSION: {
        const EventRecord r = fire(WindowEvent::MayClose);
        result = (r.returned && r.value == 0) ? FALSE : TRUE;
        return true;
    }
    case WM_DESTROY: onDestroy(); return false;
    case WM_MOVE: fire(WindowEvent::Moved); return false;
    case WM_SIZE: fire(WindowEvent::Resized); return false;
    case WM_SHOWWINDOW: fire(wParam ? WindowEvent::Shown : WindowEvent::Hidden); return false;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (std::exchange(firstActivation_, false)) fire(WindowEvent::FirstActivation);
            fire(WindowEvent::Activated);  // nothing when the first routine destroyed the window
        } else {
            fire(WindowEvent::Deactivated);
        }
        return false;
    case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) <= 1) {
            onCommand(wParam, lParam);
            result = 0;
            return true;
        }
        return reflectToUnit(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result);
    case WM_NOTIFY:
        return reflectToUnit(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, message, wParam, lParam, result);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return reflectToUnit(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result);
    case WM_DRAWITEM:
        return reflectToUnit(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, message, wParam, lParam, result);
    case WM_MEASUREITEM:
        return reflectToUnit(GetDlgItem(handle(), static_cast<int>(wParam)), message, wParam, lParam, result);
    case UnitMessage::DeferredClose:
        restoreDisabled();
        DestroyWindow(handle());
        return true;
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(GWL_EXSTYLE)) followLayering();
        return false;
    case WM_PAINT:
        if (composition_ == nullptr) return false;
        paintComposition();
        return true;
    case Composition::FlushMessage:
        if (composition_ != nullptr) composition_->flush();
        return true;
    case WM_TIMER:
        if (wParam != Composition::PlacementTimer || composition_ == nullptr) return false;
        composition_->applyPlacements();
        return true;
    case TrayCallbackMessage:
        onTrayNotification(lParam);
        return true;
    default:
        if (message == TrayIcon::taskbarCreatedMessage()) tray_.restore();
        return false;
    }
}

void LoadedWindow::openHelp()
{
    // Without a help file of its own the window opens the program's, named
    // like the executable with the extension "hlp".
    std::string file = data_.helpFile;
    if (file.empty()) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring help(path);
        const size_t dot = help.find_last_of(L'.');
        help = (dot == std::wstring::npos ? help : help.substr(0, dot)) + L".hlp";
        ShellExecuteW(handle(), L"open", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    ShellExecuteW(handle(), L"open", widenGbk(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool LoadedWindow::onCommand(WPARAM wParam, LPARAM)
{
    if (template_ == nullptr) return false;
    const auto item = menuItemOfCommand(template_->units, LOWORD(wParam));
    if (!item) return false;
    EventRecord record = makeEvent(windowId(), *item, 0);
    EventDispatcher::instance().fire(record);
    return true;
}

bool LoadedWindow::pressDefaultButton(HWND focus)
{
    auto isDefault = [](HWND w) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        return lstrcmpiW(cls, L"Button") == 0 && (GetWindowLongPtrW(w, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON &&
               IsWindowEnabled(w);
    };
    if (focus != nullptr && isDefault(focus)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
        return true;
    }
    if (data_.enterMovesFocus) {
        SetFocus(GetNextDlgTabItem(handle(), focus, FALSE));
        return true;
    }
    for (HWND child = GetWindow(handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (isDefault(child)) {
            SendMessageW(child, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

bool LoadedWindow::clickMnemonic(wchar_t letter)
{
    letter = static_cast<wchar_t>(std::towlower(letter));
    struct Search {
        wchar_t letter;
        HWND found;
    } search{letter, nullptr};
    EnumChildWindows(
        handle(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (lstrcmpiW(cls, L"Button") != 0 || !IsWindowEnabled(w) || !IsWindowVisible(w)) return TRUE;
            wchar_t text[256] = {};
            GetWindowTextW(w, text, 256);
            for (wchar_t* c = text; *c != 0 && c[1] != 0; ++c) {
                if (*c != L'&') continue;
                if (c[1] == L'&') {
                    ++c;
                    continue;
                }
                if (std::towlower(c[1]) == s->letter) {
                    s->found = w;
                    return FALSE;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return false;
    SetFocus(search.found);
    SendMessageW(search.found, BM_CLICK, 0, 0);
    return true;
}

bool LoadedWindow::handleWindowKeys(MSG& msg, Unit* unit)
{
    if (isKeyboard(msg.message) && unit != nullptr && !IsWindowEnabled(unit->handle())) return true;
    if (accelerators_ && TranslateAcceleratorW(handle(), accelerators_.get(), &msg)) return true;
    if (msg.message == WM_SYSCHAR) return clickMnemonic(static_cast<wchar_t>(msg.wParam));
    if (msg.message != WM_KEYDOWN) return false;
    HWND focus = GetFocus();
    switch (msg.wParam) {
    case VK_TAB:
        if (wantsKey(focus, msg, DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
        SetFocus(GetNextDlgTabItem(handle(), focus, GetKeyState(VK_SHIFT) < 0));
        return true;
    case VK_RETURN:
        if (wantsKey(focus, msg, DLGC_WANTALLKEYS)) return false;
        return pressDefaultButton(focus);
    case VK_ESCAPE:
        if (!data_.escCloses) return false;
        SendMessageW(handle(), WM_CLOSE, 0, 0);
        return true;
    case VK_F1:
        if (!data_.f1OpensHelp) return false;
        openHelp();
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (focus == nullptr || wantsKey(focus, msg, DLGC_WANTARROWS | DLGC_WANTALLKEYS)) return false;
        const bool previous = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
        HWND next = GetNextDlgGroupItem(GetParent(focus), focus, previous);
        if (next == nullptr || next == focus) return false;
        SetFocus(next);
        return true;
    }
    default: return false;
    }
}

bool LoadedWindow::filterMessage(MSG& msg)
{
    routeToComposedUnit(msg);
    Unit* unit = unitOfMessage(msg.hwnd);
    if (unit == nullptr && msg.hwnd == handle()) unit = this;
    if (handleWindowKeys(msg, unit)) return true;
    if (unit == nullptr || !isCommonInput(msg.message)) return false;

    if (data_.moveByDragging && msg.message == WM_LBUTTONDOWN) {
        const uint32_t type = unit->type().typeId();
        if (unit == this || type == TypeId::Label || type == TypeId::PicBox || type == TypeId::GroupBox) {
            ReleaseCapture();
            PostMessageW(handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        }
    }
    const auto call = commonEventFor(msg.message, msg.wParam, msg.lParam, currentKeyState());
    if (!call) return false;
    EventRecord record = makeEvent(unit->windowId(), unit->unitId(), call->event);
    record.argumentCount = call->argumentCount;
    for (int i = 0; i < call->argumentCount; ++i) record.arguments[i] = call->arguments[i];
    EventDispatcher::instance().fire(record);
    switch (fateOf(msg.message, record)) {
    case MessageFate::Swallow: return true;
    case MessageFate::Replace: msg.wParam = static_cast<WPARAM>(record.value); return false;
    default: return false;
    }
}

}  // namespace tessaly::ui
