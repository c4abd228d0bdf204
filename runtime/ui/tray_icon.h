// A window's notification-area icon: identifier 100, callback message
// 0x8064, a tip of at most 62 bytes. It comes back when the shell restarts.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

inline constexpr UINT TrayIconId = 100;
inline constexpr UINT TrayCallbackMessage = 0x8064;
inline constexpr size_t TrayTipLimit = 62;

// Cuts a GBK tip to the limit without splitting a double-byte character.
std::string cutTrayTip(std::string_view tip);

class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { remove(); }

    // With an icon: adds the entry or modifies the shown one. Without one:
    // deletes a shown entry. The former icon is destroyed either way.
    void set(HWND window, UniqueIcon icon, std::optional<std::string_view> tip);
    void remove();
    // The shell restarted ("TaskbarCreated"): add the entry again.
    void restore();

    bool shown() const { return shown_; }
    HICON icon() const { return icon_.get(); }

    static UINT taskbarCreatedMessage();

private:
    bool notify(DWORD action);

    HWND window_ = nullptr;
    UniqueIcon icon_;
    std::string tip_;
    bool shown_ = false;
};

}  // namespace tessaly::ui
