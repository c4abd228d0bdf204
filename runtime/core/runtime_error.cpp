// The coded error texts and the composition of the fatal report, free of the
// platform so the exact bytes can be checked anywhere.
#include <array>
#include <cstdio>

#include "runtime/core/runtime_error.h"

namespace tessaly {
namespace {

constexpr std::array<std::string_view, 11> CodedErrors = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

constexpr std::string_view RelatedLine =
    "\r\n运行时错误相关信息值(在IDE中打开对应源程序后执行\"运行->到运行时错误相关位置\"菜单功能查看): ";
constexpr std::string_view WindowTagLine = "\r\n所访问窗口的\"标记\"属性值: \"";
constexpr std::string_view UnitTagLine = "\r\n所访问窗口组件的\"标记\"属性值: \"";

constexpr bool isWindowIdentifier(uint32_t id) { return ((id >> 24) & 0xF) == 2; }

std::string signedDecimal(int32_t v) { return std::to_string(v); }

std::string windowLines(uint32_t windowId, uint32_t unitId, const ErrorSubject* subject)
{
    const std::optional<std::string> windowTag = subject ? subject->windowTag(windowId) : std::nullopt;
    if (!windowTag) return "\r\n未找到所指定的窗口";
    std::string lines;
    lines.append(WindowTagLine).append(*windowTag).append("\"");
    if (const auto unitTag = subject->unitTag(windowId, unitId)) {
        lines.append(UnitTagLine).append(*unitTag).append("\"");
    } else {
        lines.append("\r\n未找到所指定的窗口组件");
    }
    return lines;
}

ErrorReportHook g_hook = nullptr;
const ErrorSubject* g_subject = nullptr;

}  // namespace

void setErrorReportHook(ErrorReportHook hook) { g_hook = hook; }
ErrorReportHook errorReportHook() { return g_hook; }
void setErrorSubject(const ErrorSubject* subject) { g_subject = subject; }
const ErrorSubject* errorSubject() { return g_subject; }

void reportRuntimeErrorCode(int32_t code, int32_t related1, int32_t related2)
{
    reportRuntimeError(runtimeErrorText(code), code, related1, related2);
}

std::string_view runtimeErrorText(int32_t code)
{
    if (code < 1 || code > static_cast<int32_t>(CodedErrors.size())) return {};
    return CodedErrors[static_cast<size_t>(code - 1)];
}

std::string composeErrorReport(std::string_view message, int32_t code, int32_t related1, int32_t related2,
                               const ErrorSubject* subject)
{
    std::string detail;
    detail.append(RelatedLine).append(signedDecimal(related1)).append(", ").append(signedDecimal(related2));
    const auto windowId = static_cast<uint32_t>(related1);
    if (related1 != 0 && isWindowIdentifier(windowId))
        detail += windowLines(windowId, static_cast<uint32_t>(related2), subject);
    detail += "\r\n";

    std::string text = "运行时出错!\r\n";
    if (code != 0) text.append("\r\n错误代码：").append(signedDecimal(code)).append("\r\n");
    if (!message.empty()) text.append("\r\n错误信息：").append(message).append("\r\n");
    return text + detail;
}

}  // namespace tessaly
