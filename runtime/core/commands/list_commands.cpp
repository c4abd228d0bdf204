// List commands act on the live control of a check-list box or combo box
// through the standard list box and combo box messages (and the check-list
// box's own check messages).
#include <windows.h>

#include <string>

#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/text_encoding.h"
#include "runtime/core/unit_requests.h"

namespace tessaly::commands {
namespace {

HWND controlOf(const TypedValue& unit)
{
    UnitCall call;
    call.windowId = unit.low;
    call.unitId = unit.high;
    return reinterpret_cast<HWND>(requestUnit(UnitRequest::WindowHandle, call));
}

// Items are shown through the wide functions: GBK texts are converted with
// code page 936 whatever the system's own page.
int32_t addItem(HWND control, UINT add, UINT setData, UINT error, const CommandArguments& args)
{
    const std::wstring text = widenGbk(args.text(1));
    const auto index = static_cast<int32_t>(SendMessageW(control, add, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index < 0 || index == static_cast<int32_t>(error)) return -1;
    SendMessageW(control, setData, static_cast<WPARAM>(index), args.given(2) ? args.at(2).asInt() : 0);
    return index;
}

bool inRange(HWND control, UINT countMessage, int32_t index)
{
    return index >= 0 && index < static_cast<int32_t>(SendMessageW(control, countMessage, 0, 0));
}

}  // namespace

void ListAddItem(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    setIntResult(result, addItem(controlOf(args.at(0)), LB_ADDSTRING, LB_SETITEMDATA, static_cast<UINT>(LB_ERR), args));
}

void ComboAddItem(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    setIntResult(result, addItem(controlOf(args.at(0)), CB_ADDSTRING, CB_SETITEMDATA, static_cast<UINT>(CB_ERR), args));
}

void ListDeleteItem(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    const LRESULT r = SendMessageW(controlOf(args.at(0)), LB_DELETESTRING, static_cast<WPARAM>(args.at(1).asInt()), 0);
    result->low = r != LB_ERR ? 1 : 0;
}

void ListClear(TypedValue*, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    SendMessageW(controlOf(args.at(0)), LB_RESETCONTENT, 0, 0);
}

void ListIsChecked(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    HWND control = controlOf(args.at(0));
    const int32_t index = args.at(1).asInt();
    if (!inRange(control, LB_GETCOUNT, index)) return;
    result->low = SendMessageW(control, ListMessage::GetChecked, static_cast<WPARAM>(index), 0) != 0 ? 1 : 0;
}

void ListSetChecked(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    HWND control = controlOf(args.at(0));
    const int32_t index = args.at(1).asInt();
    if (!inRange(control, LB_GETCOUNT, index)) return;
    const bool checked = !args.given(2) || args.at(2).asInt() == 1;
    SendMessageW(control, ListMessage::SetChecked, static_cast<WPARAM>(index), checked ? 1 : 0);
    result->low = 1;
}

void ComboItemCount(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    const auto n = static_cast<int32_t>(SendMessageW(controlOf(args.at(0)), CB_GETCOUNT, 0, 0));
    setIntResult(result, n < 0 ? 0 : n);
}

void ComboItemText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    HWND control = controlOf(args.at(0));
    const int32_t index = args.at(1).asInt();
    if (!inRange(control, CB_GETCOUNT, index)) return;
    const auto length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    setTextResult(result, narrowToGbk(text));
}

}  // namespace tessaly::commands
