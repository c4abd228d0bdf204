// The fatal report's text, byte for byte, with and without window context.
#include <gtest/gtest.h>


#include "runtime/core/runtime_error.h"

namespace tessaly {
namespace {

const std::string Related =
    "\r\n运行时错误相关信息值(在IDE中打开对应源程序后执行\"运行->到运行时错误相关位置\"菜单功能查看): ";

// One loaded window 0x52010003 whose own unit has tag "main" and one unit
// 0x16012A37 tagged "label"; a menu item 0x26012A38 that has no tag line.
struct FakeWindows : ErrorSubject {
    std::optional<std::string> windowTag(uint32_t window) const override
    {
        if (window == 0x52010003) return "main";
        return std::nullopt;
    }
    std::optional<std::string> unitTag(uint32_t window, uint32_t unit) const override
    {
        if (window != 0x52010003) return std::nullopt;
        if (unit == 0 || unit == 0x06010002) return "main";
        if (unit == 0x16012A37) return "label";
        return std::nullopt;
    }
};

TEST(ErrorReport, CodedErrorShowsCodeMessageAndRelatedValues)
{
    const std::string text = composeErrorReport(runtimeErrorText(1), 1, 17, 4, nullptr);
    EXPECT_EQ(text, "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n" + Related +
                        "17, 4\r\n");
}

TEST(ErrorReport, TextErrorOmitsTheCodeLineAndEmptyMessageOmitsTheMessageLine)
{
    EXPECT_EQ(composeErrorReport("坏了", 0, 0, 0, nullptr), "运行时出错!\r\n\r\n错误信息：坏了\r\n" + Related + "0, 0\r\n");
    EXPECT_EQ(composeErrorReport("", 0, -3, 5, nullptr), "运行时出错!\r\n" + Related + "-3, 5\r\n");
}

TEST(ErrorReport, WindowThatIsNotLoadedIsNamedMissing)
{
    FakeWindows windows;
    const std::string text = composeErrorReport("x", 0, 0x520154F4, 0, &windows);
    EXPECT_EQ(text.substr(text.find(Related)),
              Related + "1375818996, 0\r\n未找到所指定的窗口\r\n");
}

TEST(ErrorReport, LoadedWindowAndUnitShowTheirTags)
{
    FakeWindows windows;
    std::string text = composeErrorReport("x", 0, 0x52010003, 0x16012A37, &windows);
    EXPECT_NE(text.find("\r\n所访问窗口的\"标记\"属性值: \"main\"\r\n所访问窗口组件的\"标记\"属性值: \"label\"\r\n"),
              std::string::npos)
        << text;

    // Related value 2 of 0 names the window's own unit.
    text = composeErrorReport("x", 0, 0x52010003, 0, &windows);
    EXPECT_NE(text.find("所访问窗口组件的\"标记\"属性值: \"main\""), std::string::npos);
}

TEST(ErrorReport, MenuItemsAndUnknownUnitsAreNotFound)
{
    FakeWindows windows;
    for (const uint32_t unit : {0x26012A38u, 0x16099999u}) {
        const std::string text = composeErrorReport("x", 0, 0x52010003, static_cast<int32_t>(unit), &windows);
        EXPECT_TRUE(text.ends_with("属性值: \"main\"\r\n未找到所指定的窗口组件\r\n")) << text;
    }
}

TEST(ErrorReport, RelatedValueThatIsNoWindowIdentifierAddsNoWindowLines)
{
    FakeWindows windows;
    const std::string text = composeErrorReport("", 2, 0x16012A37, 1, &windows);
    EXPECT_TRUE(text.ends_with(Related + "369175095, 1\r\n")) << text;
}

TEST(ErrorReport, ElevenCodedTexts)
{
    EXPECT_EQ(runtimeErrorText(6), "调用DLL命令后发现堆栈错误");
    EXPECT_EQ(runtimeErrorText(11), "所提供参数的数据类型不符合要求");
    EXPECT_TRUE(runtimeErrorText(0).empty());
    EXPECT_TRUE(runtimeErrorText(12).empty());
}

}  // namespace
}  // namespace tessaly
