#include "app/notices.h"

#include "app/program_windows.h"
#include "app/system_calls.h"

namespace tessaly::program {
namespace {

const std::string ToolTitle = "Tessaly字幕";

}  // namespace

// A message owned by the hidden settings window of the start-up would go
// with it, unread.
void tellUser(const std::string& text)
{
    const bool inFront = isCreated(SettingsWindow) && readBool(SettingsWindow, Property::Visible);
    showMessage(inFront ? windowHandle(SettingsWindow) : 0, text, ToolTitle);
}

std::string unwritableNotice(const std::string& path)
{
    return "无法写入文件“" + path +
           "”：它可能正被其他程序占用、是只读的，或者磁盘已满。\r\n\r\n"
           "字幕的改动先保存在内存中，程序会自动重试，一旦能够写入就立即保存。在此之前请不要退出程序。";
}

}  // namespace tessaly::program
