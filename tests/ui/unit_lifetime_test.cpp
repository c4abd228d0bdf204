// Routines that destroy their own window, and windows whose creation fails
// after they took their unit over. Everything runs on a guarded heap: a
// unit object touched after it was deleted, or deleted twice, faults at once
// and ends this program.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "runtime/core/command_call.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/runtime_error.h"
#include "runtime/ui/window_layer.h"
#include "tests/ui/guarded_heap.h"
#include "tests/ui/message_pump.h"
#include "tests/ui/window_kit.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

constexpr uint32_t MainWindow = testing::KitWindowId;
constexpr uint32_t ConfirmButton = 0x16000202;
constexpr uint32_t CaptionList = 0x16000203;
constexpr uint32_t TextBox = 0x16000204;
constexpr uint32_t Caption = 0x16000205;

const char8_t WindowKeys[] = u8R"(position = 40 40 360 240
border = 2
title = 确认窗口
showInTaskBar = 1
events = 12 closing, 1 mayClose, 2 destroying, 8 firstActivation, 5 activated, -7 windowFocus)";

const char8_t Units[] = u8R"(
[Button 0x16000202 确认]
position = 10 10 100 28
flags = visible
caption = 确认
events = 0 buttonClicked, -7 buttonFocus

[ChkListBox 0x16000203 列表]
position = 10 50 200 100
flags = visible
items = 第一条|第二条
events = 2 listDoubleClick, 1 listCheck

[EditBox 0x16000204 编辑框]
position = 220 10 120 24
flags = visible
events = -9 boxKeyDown, -1 boxMouseDown

[Label 0x16000205 字幕]
position = 220 50 120 24
flags = visible
caption = 字幕
)";

// As the caption tool's "确认", "删除" and "退出" routines do: the window goes at once.
void destroyMainWindow()
{
    TypedValue arguments[] = {TypedValue::ofUnit(MainWindow, 0, TypeCode::Window), TypedValue::ofBool(true)};
    callCommand(commands::Destroy, 2, arguments);
}

// Lets a window of the given class fail after WM_NCCREATE: the window is
// subclassed as it is created, passes WM_NCCREATE on and answers WM_CREATE
// with -1; from then on it leaves everything to the default procedure.
class FailedCreation {
public:
    explicit FailedCreation(const wchar_t* className)
    {
        className_ = className;
        hook_ = SetWindowsHookExW(WH_CBT, &beforeCreation, nullptr, GetCurrentThreadId());
    }
    ~FailedCreation() { UnhookWindowsHookEx(hook_); }
    FailedCreation(const FailedCreation&) = delete;
    FailedCreation& operator=(const FailedCreation&) = delete;

    static int refused() { return refused_; }

private:
    static LRESULT CALLBACK beforeCreation(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto window = reinterpret_cast<HWND>(wParam);
        wchar_t name[64] = {};
        if (code == HCBT_CREATEWND && GetClassNameW(window, name, 64) && lstrcmpiW(name, className_) == 0) {
            classProcedure_ = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&refuseCreate)));
            refusing_ = false;
            forwarding_ = false;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK refuseCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_CREATE) {
            ++refused_;
            refusing_ = true;
            return -1;
        }
        // A unit subclasses the window when it takes it over, and then passes
        // its messages back here: those get the default handling.
        if (refusing_ || forwarding_) return DefWindowProcW(window, message, wParam, lParam);
        forwarding_ = true;
        const LRESULT result = CallWindowProcW(classProcedure_, window, message, wParam, lParam);
        forwarding_ = false;
        return result;
    }

    static inline const wchar_t* className_ = nullptr;
    static inline WNDPROC classProcedure_ = nullptr;
    static inline bool refusing_ = false;
    static inline bool forwarding_ = false;
    static inline int refused_ = 0;
    HHOOK hook_ = nullptr;
};

// What the routines saw; the one named by destroyAt_ destroys the window.
class UnitLifetime : public testing::KitTest {
protected:
    void SetUp() override
    {
        // A runtime error (an event for a window that is gone) ends the program with its report.
        setErrorReportHook([](const std::string& report) { std::fprintf(stderr, "%s\n", report.c_str()); });
        load(testing::packWindow(testing::utf8(Units), testing::utf8(WindowKeys)), testing::Loading::Later);
        window_->onCall({}, [this](const testing::RoutineCall& c) {
            if (c.routine == destroyAt_) destroyMainWindow();
            return RoutineResult{};
        });
    }
    void TearDown() override
    {
        destroyAt_.clear();
        window_.reset();  // while the guarded heap still serves
        setErrorReportHook(nullptr);
    }
    static WindowLayer& layer() { return WindowLayer::instance(); }
    static HWND unitHandle(uint32_t unit) { return layer().findUnit(MainWindow, unit)->handle(); }
    static bool mainGone() { return layer().findWindow(MainWindow) == nullptr; }
    size_t countOf(const char* routine) const { return window_->calls(routine).size(); }

    void loadMain()
    {
        ASSERT_TRUE(layer().load(MainWindow, 0, false));
        pumpPending();
        window_->clearCalls();
    }

    std::string destroyAt_;
    testing::GuardedHeap guard_;
};

TEST_F(UnitLifetime, ButtonRoutineThatDestroysItsWindowEndsTheClick)
{
    loadMain();
    destroyAt_ = "buttonClicked";
    HWND button = unitHandle(ConfirmButton);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pumpUntil(&mainGone);
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf("buttonClicked"), 1u);
    EXPECT_EQ(countOf("destroying"), 1u);
}

TEST_F(UnitLifetime, ClosingRoutineThatDestroysItsWindowEndsTheClose)
{
    loadMain();
    destroyAt_ = "closing";
    SendMessageW(layer().findWindow(MainWindow)->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf("mayClose"), 0u) << "no event for a window that is gone";
    EXPECT_EQ(countOf("destroying"), 1u);
}

TEST_F(UnitLifetime, ActivationRoutineThatDestroysItsWindowEndsTheActivation)
{
    destroyAt_ = "firstActivation";
    EXPECT_TRUE(layer().load(MainWindow, 0, false));
    pumpPending();
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf("firstActivation"), 1u);
    EXPECT_EQ(countOf("activated"), 0u);
}

TEST_F(UnitLifetime, FocusRoutineThatDestroysItsWindowEndsTheFocusChange)
{
    loadMain();
    destroyAt_ = "buttonFocus";
    SetFocus(unitHandle(ConfirmButton));
    pumpPending();
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf("buttonFocus"), 1u);
}

TEST_F(UnitLifetime, CheckListRoutineThatDestroysItsWindowEndsTheClick)
{
    loadMain();
    destroyAt_ = "listDoubleClick";
    HWND list = unitHandle(CaptionList);
    RECT item{};
    ASSERT_NE(SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    // The second press of a double-click on the check box strip: the list
    // reports the double-click before the unit would toggle the check.
    const LPARAM onBox = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, onBox);
    pumpUntil(&mainGone);
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf("listDoubleClick"), 1u);
    EXPECT_EQ(countOf("listCheck"), 0u);
}

TEST_F(UnitLifetime, MouseAndKeyRoutinesThatDestroyTheirWindowSwallowNothingAfterwards)
{
    for (const char* step : {"boxMouseDown", "boxKeyDown"}) {
        loadMain();
        destroyAt_ = step;
        HWND box = unitHandle(TextBox);
        if (step == std::string("boxMouseDown"))
            PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        else
            PostMessageW(box, WM_KEYDOWN, 'A', 1);
        pumpUntil(&mainGone);
        EXPECT_TRUE(mainGone()) << step;
        EXPECT_EQ(countOf(step), 1u);
        EXPECT_EQ(countOf("destroying"), 1u);
        window_->clearCalls();
    }
}

TEST_F(UnitLifetime, UnitWhoseWindowFailsAfterTakingItOverIsDeletedOnce)
{
    const int before = FailedCreation::refused();
    {
        const FailedCreation failing(L"_QX_Label");
        loadMain();
    }
    EXPECT_EQ(FailedCreation::refused(), before + 1);
    EXPECT_EQ(layer().findUnit(MainWindow, Caption), nullptr) << "the label failed; the window stands without it";
    EXPECT_NE(layer().findUnit(MainWindow, ConfirmButton), nullptr);
}

TEST_F(UnitLifetime, WindowWhoseCreationFailsAfterTakingItOverIsDeletedOnce)
{
    const int before = FailedCreation::refused();
    {
        const FailedCreation failing(DefaultWindowClass);
        EXPECT_FALSE(layer().load(MainWindow, 0, false));
    }
    EXPECT_EQ(FailedCreation::refused(), before + 1);
    EXPECT_TRUE(mainGone());
    // The pristine table came back: the next load builds the whole window.
    loadMain();
    EXPECT_NE(layer().findUnit(MainWindow, Caption), nullptr);
}

}  // namespace
}  // namespace tessaly::ui
