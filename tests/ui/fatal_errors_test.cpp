// Every fatal runtime error, raised from outside by a program on the whole
// runtime: each coded error and each error with a text reaches the report
// hook as exactly its report, and the process ends with exit code -1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/scenario_run.h"

namespace {

struct FatalError {
    std::string scenario;
    std::string message;
    int32_t code = 0;
    int64_t related1 = 0;
    int64_t related2 = 0;
    bool namesUnloadedWindow = false;  // related value 1 is a window that is not loaded
};

constexpr int64_t KnownWindow = 0x52000001, LabelUnit = 0x16000002, UntypedUnit = 0x16000007;
constexpr int64_t UnknownWindow = 0x52000099, UnknownUnit = 0x16000099;

const std::vector<FatalError> FatalErrors = {
    {"code 1", "数组成员引用下标超出定义范围", 1, 17, -3},
    {"code 2", "未得到所需要的数值型数据", 2, 17, -3},
    {"code 3", "引用数组成员时维数不为1且不等于该数组目前所具有的维数", 3, 17, -3},
    {"code 4", "数组成员引用下标必须大于等于1", 4, 17, -3},
    {"code 5", "数据或数组类型不匹配", 5, 17, -3},
    {"code 6", "调用DLL命令后发现堆栈错误", 6, 17, -3},
    {"code 7", "子语句参数未返回数据或者返回了非系统基本类型或数组型数据", 7, 17, -3},
    {"code 8", "被比较数据只能使用等于或不等于命令比较", 8, 17, -3},
    {"code 9", "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围", 9, 17, -3},
    {"code 10", "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零", 10, 17, -3},
    {"code 11", "所提供参数的数据类型不符合要求", 11, 17, -3},
    {"out-of-memory", "分配 140737488289792 字节内存失败!"},
    {"event-unit-outside-event", "“取事件组件”命令只能在事件处理子程序中使用"},
    {"command-on-unloaded-unit", "指定窗口或窗口组件不存在或尚未载入", 0, KnownWindow, LabelUnit, true},
    {"library-converts-text", "欲转换数据类型不是数值"},
    {"property-gets-text-for-number", "欲转换数据类型不是数值"},
    {"startup-window-missing", "载入启动窗口失败"},
    {"dll-export-missing", "无法找到指定DLL库文件“kernel32.dll”中的输出命令“NoSuchExport”"},
    {"dll-export-missing-without-library", "无法找到指定DLL库文件中的输出命令“NoSuchExportEither”"},
    {"broken-templates", "载入窗口模板数据段出错!"},
    {"event-of-unknown-window", "未找到引发事件的窗口", 0, UnknownWindow, 0, true},
    {"event-of-unknown-unit", "未找到引发事件的窗口组件", 0, KnownWindow, UnknownUnit, true},
    {"event-of-unit-without-events", "引发事件的窗口组件无效", 0, KnownWindow, UntypedUnit, true},
    {"read-own-property-of-unloaded-unit", "读取组件属性时发现指定窗口尚未载入", 0, KnownWindow, LabelUnit, true},
    {"write-own-property-of-unloaded-unit", "修改组件属性时发现指定窗口尚未载入", 0, KnownWindow, LabelUnit, true},
    {"property-of-unknown-window", "未载入欲访问窗口组件所在的窗口", 0, UnknownWindow, 0, true},
};

// The report's lines: the heading, the code, the message, the related values
// (identifiers as signed decimals) and what was found of their window.
std::string reportOf(const FatalError& e)
{
    std::string report = "运行时出错!\r\n";
    if (e.code != 0) report += "\r\n错误代码：" + std::to_string(e.code) + "\r\n";
    report += "\r\n错误信息：" + e.message + "\r\n";
    report += "\r\n运行时错误相关信息值(在IDE中打开对应源程序后执行\"运行->到运行时错误相关位置\"菜单功能查看): ";
    report += std::to_string(static_cast<int32_t>(e.related1)) + ", " + std::to_string(static_cast<int32_t>(e.related2));
    if (e.namesUnloadedWindow) report += "\r\n未找到所指定的窗口";
    return report + "\r\n";
}

TEST(FatalErrors, EachReachesTheReportHookAsItsReportAndEndsWithMinusOne)
{
    const std::string program = tessaly::testing::besideThisProgram(FATAL_ERROR_SCENARIOS);
    for (const FatalError& e : FatalErrors) {
        SCOPED_TRACE(e.scenario);
        const tessaly::testing::ScenarioRun run = tessaly::testing::runScenario(program, e.scenario);
        EXPECT_EQ(run.output, "report[" + reportOf(e) + "]\n");
        EXPECT_EQ(run.exitCode, static_cast<DWORD>(-1));
    }
}

}  // namespace
