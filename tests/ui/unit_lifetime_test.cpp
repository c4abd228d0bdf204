// Routines that destroy their own window, and windows whose creation fails
// after they took their unit over. Everything runs on a guarded heap: a
// unit object touched after it was deleted, or deleted twice, faults at once
// and ends this program.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/core/command_call.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/runtime_error.h"
#include "runtime/ui/core_library.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/property_access.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/units/unit_types.h"
#include "runtime/ui/units/unit_types.h"
#include "runtime/ui/units/unit_types.h"
#include "runtime/ui/window_layer.h"
#include "tests/ui/frame_setup.h"
#include "tests/ui/guarded_heap.h"
#include "tests/ui/message_pump.h"
#include "tests/ui/test_templates.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

constexpr uint32_t MainWindow = 0x52000201;
constexpr uint32_t MainOwn = 0x06000201;
constexpr uint32_t ConfirmButton = 0x16000202;
constexpr uint32_t CaptionList = 0x16000203;
constexpr uint32_t TextBox = 0x16000204;
constexpr uint32_t Caption = 0x16000205;

// What the routines saw, in order; the one named by g_destroyAt destroys the window.
enum Step {
    Closing, MayClose, Destroying, FirstActivation, Activated, WindowFocus,
    ButtonClicked, ButtonFocus, ListDoubleClick, ListCheck, BoxKeyDown, BoxMouseDown, Nowhere,
};
std::vector<Step> g_steps;
Step g_destroyAt = Nowhere;

size_t countOf(Step step) { return static_cast<size_t>(std::count(g_steps.begin(), g_steps.end(), step)); }

// As the caption tool's "确认", "删除" and "退出" routines do: the window goes at once.
void destroyMainWindow()
{
    TypedValue arguments[] = {TypedValue::ofUnit(MainWindow, 0, TypeCode::Window), TypedValue::ofBool(true)};
    callCommand(commands::Destroy, 2, arguments);
}

template <Step S>
RoutineResult routine(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_steps.push_back(S);
    if (S == g_destroyAt) destroyMainWindow();
    return {};
}

const std::vector<RoutineEntry>& routines()
{
    static const std::vector<RoutineEntry> all = {
        &routine<Closing>,       &routine<MayClose>,      &routine<Destroying>,    &routine<FirstActivation>,
        &routine<Activated>,     &routine<WindowFocus>,   &routine<ButtonClicked>, &routine<ButtonFocus>,
        &routine<ListDoubleClick>, &routine<ListCheck>,     &routine<BoxKeyDown>,    &routine<BoxMouseDown>};
    return all;
}
uintptr_t codeBase()
{
    uintptr_t base = UINTPTR_MAX;
    for (RoutineEntry r : routines()) base = std::min(base, reinterpret_cast<uintptr_t>(r));
    return base;
}
uint32_t word(Step step) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(routines()[step]) - codeBase()); }

UnitRecord unitOf(uint32_t type, Bytes typeData, UnitPosition place, std::vector<EventBinding> bindings)
{
    UnitRecord r = testing::unit(type, std::move(bindings), std::move(typeData));
    r.position = place;
    return r;
}

Bytes templateBlock()
{
    WindowData data;
    data.border = 2;
    data.title = "确认窗口";
    data.showInTaskBar = 1;
    UnitRecord own = unitOf(TypeId::Window, writeTypeData(WindowRows, data), {40, 40, 360, 240},
                            {{12, word(Closing)}, {1, word(MayClose)}, {2, word(Destroying)},
                             {8, word(FirstActivation)}, {5, word(Activated)}, {-7, word(WindowFocus)}});
    ButtonData button;
    button.caption = "确认";
    CheckListBoxData list;
    list.items = {"第一条", "第二条"};
    LabelData label;
    label.caption = "字幕";

    WindowTemplate w;
    w.id = MainWindow;
    w.units.addRecord(MainOwn, encodeUnitRecord(own));
    w.units.addRecord(ConfirmButton, encodeUnitRecord(unitOf(TypeId::Button, writeTypeData(ButtonRows, button), {10, 10, 100, 28},
                                                             {{0, word(ButtonClicked)}, {-7, word(ButtonFocus)}})));
    w.units.addRecord(CaptionList, encodeUnitRecord(unitOf(TypeId::ChkListBox, writeTypeData(CheckListBoxRows, list),
                                                           {10, 50, 200, 100},
                                                           {{2, word(ListDoubleClick)}, {1, word(ListCheck)}})));
    w.units.addRecord(TextBox, encodeUnitRecord(unitOf(TypeId::EditBox, writeTypeData(EditBoxRows, EditBoxData{}), {220, 10, 120, 24},
                                                       {{-9, word(BoxKeyDown)}, {-1, word(BoxMouseDown)}})));
    w.units.addRecord(Caption, encodeUnitRecord(unitOf(TypeId::Label, writeTypeData(LabelRows, label), {220, 50, 120, 24}, {})));
    return writeTemplateBlock({&w});
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

class UnitLifetime : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        registerUnitTypes();
        static const Bytes block = templateBlock();
        testing::startFrame(block.data(), static_cast<uint32_t>(block.size()), codeBase(), 0x300);
        coreLibraryNotify(1, reinterpret_cast<intptr_t>(&runtimeNotify), 0);
    }
    void SetUp() override
    {
        g_steps.clear();
        g_destroyAt = Nowhere;
        // A runtime error (an event for a window that is gone) ends the program with its report.
        setErrorReportHook([](const std::string& report) { std::fprintf(stderr, "%s\n", report.c_str()); });
    }
    void TearDown() override
    {
        g_destroyAt = Nowhere;
        if (LoadedWindow* w = layer().findWindow(MainWindow)) DestroyWindow(w->handle());
        pumpPending();
        setErrorReportHook(nullptr);
    }
    static WindowLayer& layer() { return WindowLayer::instance(); }
    static HWND unitHandle(uint32_t unit) { return layer().findUnit(MainWindow, unit)->handle(); }
    static bool mainGone() { return layer().findWindow(MainWindow) == nullptr; }

    void loadMain()
    {
        ASSERT_TRUE(layer().load(MainWindow, 0, false));
        pumpPending();
        g_steps.clear();
    }

    testing::GuardedHeap guard_;
};

TEST_F(UnitLifetime, ButtonRoutineThatDestroysItsWindowEndsTheClick)
{
    loadMain();
    g_destroyAt = ButtonClicked;
    HWND button = unitHandle(ConfirmButton);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pumpUntil(&mainGone);
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf(ButtonClicked), 1u);
    EXPECT_EQ(countOf(Destroying), 1u);
}

TEST_F(UnitLifetime, ClosingRoutineThatDestroysItsWindowEndsTheClose)
{
    loadMain();
    g_destroyAt = Closing;
    SendMessageW(layer().findWindow(MainWindow)->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf(MayClose), 0u) << "no event for a window that is gone";
    EXPECT_EQ(countOf(Destroying), 1u);
}

TEST_F(UnitLifetime, ActivationRoutineThatDestroysItsWindowEndsTheActivation)
{
    g_destroyAt = FirstActivation;
    EXPECT_TRUE(layer().load(MainWindow, 0, false));
    pumpPending();
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf(FirstActivation), 1u);
    EXPECT_EQ(countOf(Activated), 0u);
}

TEST_F(UnitLifetime, FocusRoutineThatDestroysItsWindowEndsTheFocusChange)
{
    loadMain();
    g_destroyAt = ButtonFocus;
    SetFocus(unitHandle(ConfirmButton));
    pumpPending();
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf(ButtonFocus), 1u);
}

TEST_F(UnitLifetime, CheckListRoutineThatDestroysItsWindowEndsTheClick)
{
    loadMain();
    g_destroyAt = ListDoubleClick;
    HWND list = unitHandle(CaptionList);
    RECT item{};
    ASSERT_NE(SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    // The second press of a double-click on the check box strip: the list
    // reports the double-click before the unit would toggle the check.
    const LPARAM onBox = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, onBox);
    pumpUntil(&mainGone);
    EXPECT_TRUE(mainGone());
    EXPECT_EQ(countOf(ListDoubleClick), 1u);
    EXPECT_EQ(countOf(ListCheck), 0u);
}

TEST_F(UnitLifetime, MouseAndKeyRoutinesThatDestroyTheirWindowSwallowNothingAfterwards)
{
    for (const Step step : {BoxMouseDown, BoxKeyDown}) {
        loadMain();
        g_destroyAt = step;
        HWND box = unitHandle(TextBox);
        if (step == BoxMouseDown)
            PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        else
            PostMessageW(box, WM_KEYDOWN, 'A', 1);
        pumpUntil(&mainGone);
        EXPECT_TRUE(mainGone()) << step;
        EXPECT_EQ(countOf(step), 1u);
        EXPECT_EQ(countOf(Destroying), 1u);
        g_steps.clear();
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
