#include "runtime/ui/tray_icon.h"

#include <shellapi.h>

#include "runtime/core/gbk.h"
#include "runtime/core/text_encoding.h"

namespace tessaly::ui {

std::string cutTrayTip(std::string_view tip)
{
    size_t end = 0;
    while (end < tip.size()) {
        const size_t width = isLeadByte(static_cast<unsigned char>(tip[end])) && end + 1 < tip.size() ? 2 : 1;
        if (end + width > TrayTipLimit) break;
        end += width;
    }
    return std::string(tip.substr(0, end));
}

UINT TrayIcon::taskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

bool TrayIcon::notify(DWORD action)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = TrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = icon_.get();
    const std::wstring tip = widenGbk(tip_);
    lstrcpynW(data.szTip, tip.c_str(), static_cast<int>(std::size(data.szTip)));
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void TrayIcon::set(HWND window, UniqueIcon icon, std::optional<std::string_view> tip)
{
    if (tip) tip_ = cutTrayTip(*tip);
    if (shown_ && window != window_) remove();
    window_ = window;
    if (!icon) {
        remove();
        return;
    }
    icon_ = std::move(icon);  // the former icon is destroyed here
    shown_ = notify(shown_ ? NIM_MODIFY : NIM_ADD) || shown_;
}

void TrayIcon::remove()
{
    if (shown_) notify(NIM_DELETE);
    shown_ = false;
    icon_.reset();
}

void TrayIcon::restore()
{
    if (shown_) notify(NIM_ADD);
}

}  // namespace tessaly::ui
