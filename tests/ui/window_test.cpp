// Windows loaded from real templates: loading, closing, the pristine copy,
// event dispatch through the message filter, property access and menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/command_call.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/library_notify.h"
#include "runtime/core/memory.h"
#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/value_blocks.h"
#include "runtime/ui/byte_writer.h"
#include "runtime/ui/menu_builder.h"
#include "runtime/ui/property_access.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/unit_commands.h"
#include "runtime/ui/window_layer.h"
#include "tests/core/throwing_error_hook.h"
#include "tests/ui/frame_setup.h"
#include "tests/ui/message_pump.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

constexpr uint32_t MainWindow = 0x52000001;
constexpr uint32_t MainOwn = 0x06000001;
constexpr uint32_t Edit = 0x16000002;
constexpr uint32_t Menu = 0x26000003;
constexpr uint32_t MenuEntry = 0x26000004;
constexpr uint32_t MenuSeparator = 0x26000005;
constexpr uint32_t TestEditTypeId = 0x0001FF01;
constexpr uint32_t Dialog = 0x52000002;
constexpr uint32_t DialogOwn = 0x06000010;

using tessaly::testing::CapturedReport;

std::vector<std::string> g_events;
int32_t g_closingAnswer = -1;  // -1: return nothing
int32_t g_charAnswer = -1;

RoutineResult nothing() { return {}; }
RoutineResult answer(int32_t v) { return v < 0 ? RoutineResult{} : RoutineResult{v, 1}; }

RoutineResult onCreated(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("created"); return nothing(); }
RoutineResult onMoved(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("moved"); return nothing(); }
RoutineResult onResized(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("resized"); return nothing(); }
RoutineResult onClosing(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("closing"); return answer(g_closingAnswer); }
RoutineResult onDestroying(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("destroying"); return nothing(); }
RoutineResult onMenuEntry(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("menu entry"); return nothing(); }
RoutineResult onEditChar(intptr_t c, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("char " + std::to_string(c));
    return answer(g_charAnswer);
}
RoutineResult onEditLeftDown(intptr_t x, intptr_t y, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    return nothing();
}
RoutineResult onGotFocus(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("got focus"); return nothing(); }

// Routine words are offsets from the lowest routine address.
const std::vector<RoutineEntry>& routines()
{
    static const std::vector<RoutineEntry> all = {&onCreated,    &onMoved,     &onResized,  &onClosing,     &onDestroying,
                                                  &onMenuEntry, &onEditChar, &onEditLeftDown, &onGotFocus};
    return all;
}
uintptr_t codeBase()
{
    uintptr_t base = UINTPTR_MAX;
    for (RoutineEntry r : routines()) base = std::min(base, reinterpret_cast<uintptr_t>(r));
    return base;
}
uint32_t word(RoutineEntry r) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(r) - codeBase()); }

// The units that owner-drawing measure requests reached, in order.
std::vector<uint32_t> g_measured;

// An edit control as a minimal unit type, for input events.
class TestEditUnit final : public Unit {
public:
    using Unit::Unit;
    bool make(const UnitCreateParams& p) { return createWindow(0, L"EDIT", L"", WS_CHILD | WS_BORDER, p); }

protected:
    bool handleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        if (message != UnitMessage::ReflectOffset + WM_MEASUREITEM) return false;
        g_measured.push_back(unitId());
        result = TRUE;
        return true;
    }
};

class TestEdit final : public UnitType {
public:
    uint32_t typeId() const override { return TestEditTypeId; }
    std::string_view name() const override { return "test edit"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl; }
    std::span<const PropertyInfo> properties() const override { return {}; }
    Unit* create(const UnitCreateParams& p) const override
    {
        auto* unit = new TestEditUnit(*this, p.windowId, p.unitId);
        if (!unit->make(p)) {
            delete unit;
            return nullptr;
        }
        return unit;
    }
    bool setProperty(Unit&, int32_t, const PropertyValue&) const override { return false; }
    std::vector<uint8_t> currentTypeData(const Unit&) const override { return {1, 0, 0, 0}; }
    bool getProperty(const Unit&, int32_t, PropertyValue&) const override { return false; }
};

Bytes templateBlock()
{
    WindowData data;
    data.border = 2;
    data.title = "测试窗口";
    data.windowState = 0;
    data.showInTaskBar = 1;
    UnitRecord own;
    own.typeId = TypeId::Window;
    own.position = {40, 40, 320, 200};
    own.flags = UnitFlag::Visible;
    own.tag = "main";
    own.bindings = {{0, word(&onCreated)}, {3, word(&onMoved)},       {4, word(&onResized)},
                    {12, word(&onClosing)}, {2, word(&onDestroying)}, {-7, word(&onGotFocus)}};
    own.typeData = writeTypeData(WindowRows, data);

    UnitRecord edit;
    edit.typeId = TestEditTypeId;
    edit.name = "编辑框1";
    edit.position = {10, 10, 200, 24};
    edit.flags = UnitFlag::Visible | UnitFlag::TabStop;
    edit.tag = "edit";
    edit.bindings = {{-11, word(&onEditChar)}, {-1, word(&onEditLeftDown)}, {-7, word(&onGotFocus)}};
    edit.typeData = {1, 0, 0, 0};
    edit.mousePointer = {0x03, 0x7F, 0, 0};  // the cross, 32515

    MenuItemRecord menu;
    menu.caption = "操作";
    menu.level = 0;
    menu.state = MenuState::Hidden;
    MenuItemRecord entry;
    entry.caption = "设置";
    entry.level = 1;
    entry.routine = word(&onMenuEntry);
    MenuItemRecord separator;
    separator.caption = "-";
    separator.level = 1;

    WindowTemplate w;
    w.id = MainWindow;
    w.units.addRecord(MainOwn, encodeUnitRecord(own));
    w.units.addRecord(Edit, encodeUnitRecord(edit));
    w.units.addRecord(Menu, encodeMenuItemRecord(menu));
    w.units.addRecord(MenuEntry, encodeMenuItemRecord(entry));
    w.units.addRecord(MenuSeparator, encodeMenuItemRecord(separator));
    WindowData dialogData;
    dialogData.border = 2;
    dialogData.title = "对话框";
    UnitRecord dialogOwn;
    dialogOwn.typeId = TypeId::Window;
    dialogOwn.position = {80, 80, 200, 120};
    dialogOwn.flags = UnitFlag::Visible;
    dialogOwn.typeData = writeTypeData(WindowRows, dialogData);
    WindowTemplate dialog;
    dialog.id = Dialog;
    dialog.units.addRecord(DialogOwn, encodeUnitRecord(dialogOwn));
    return writeTemplateBlock({&w, &dialog});
}



class Windows : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static TestEdit editType;
        registerUnitType(editType);
        static const Bytes block = templateBlock();
        tessaly::coreLibraryNotify(1, reinterpret_cast<intptr_t>(&runtimeNotify), 0);  // for the unit commands
        testing::startFrame(block.data(), static_cast<uint32_t>(block.size()), codeBase(), 0x100);
    }

    void SetUp() override
    {
        g_events.clear();
        g_measured.clear();
        g_closingAnswer = -1;
        g_charAnswer = -1;
    }
    void TearDown() override
    {
        if (LoadedWindow* w = layer().findWindow(MainWindow)) DestroyWindow(w->handle());
    }
    static WindowLayer& layer() { return WindowLayer::instance(); }
    static HWND mainHandle() { return layer().findWindow(MainWindow)->handle(); }
    static TypedValue get(uint32_t unit, int32_t property) { return readUnitProperty(layer(), {MainWindow, unit, property, -1}); }
    static void set(uint32_t unit, int32_t property, TypedValue v) { writeUnitProperty(layer(), {MainWindow, unit, property, -1}, v); }
};

TEST_F(Windows, LoadingCreatesTheWindowAndItsUnitsThenRaisesCreatedMovedResized)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    // Showing the window may move and size it again afterwards.
    ASSERT_GE(g_events.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(g_events.begin(), g_events.begin() + 3),
              (std::vector<std::string>{"created", "moved", "resized"}));
    HWND h = mainHandle();
    wchar_t className[32] = {};
    GetClassNameW(h, className, 32);
    EXPECT_STREQ(className, L"WTWindow");
    wchar_t title[32] = {};
    GetWindowTextW(h, title, 32);
    EXPECT_STREQ(title, L"测试窗口");
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION);
    ASSERT_NE(layer().findUnit(MainWindow, Edit), nullptr);
    EXPECT_EQ(GetParent(layer().findUnit(MainWindow, Edit)->handle()), h);
    EXPECT_EQ(GetMenu(h), nullptr) << "a hidden top-level menu is only popped up";
}

TEST_F(Windows, ShowingTheWindowRaisesGotFocusOnce)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    pumpPending();
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "got focus"), 1);
}

TEST_F(Windows, LoadingALoadedWindowActivatesItWithoutASecondInstance)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    HWND first = mainHandle();
    g_events.clear();
    EXPECT_TRUE(layer().load(MainWindow, 0, false));
    EXPECT_EQ(mainHandle(), first);
    EXPECT_TRUE(g_events.empty());
    EXPECT_FALSE(layer().load(0x52999999, 0, false)) << "unknown window";
}

TEST_F(Windows, ClosingRoutineThatAnswersFalseKeepsTheWindow)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    g_closingAnswer = 0;
    SendMessageW(mainHandle(), WM_CLOSE, 0, 0);
    EXPECT_NE(layer().findWindow(MainWindow), nullptr);
    g_closingAnswer = -1;
    HWND h = mainHandle();
    SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(layer().findWindow(MainWindow), nullptr);
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "destroying"), 1);
}

TEST_F(Windows, PropertyChangesLastUntilTheWindowIsDestroyed)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    set(Edit, CommonProperty::Width, TypedValue::ofInt(40000));
    EXPECT_EQ(get(Edit, CommonProperty::Width).asInt(), 32627);
    set(Edit, CommonProperty::Height, TypedValue::ofInt(-5));
    EXPECT_EQ(get(Edit, CommonProperty::Height).asInt(), 0);
    set(Edit, CommonProperty::Left, TypedValue::ofInt(-40000));
    EXPECT_EQ(get(Edit, CommonProperty::Left).asInt(), -32627);
    DestroyWindow(mainHandle());
    // Not loaded: the template as compiled answers again.
    EXPECT_EQ(get(Edit, CommonProperty::Width).asInt(), 200);
    EXPECT_EQ(get(Edit, CommonProperty::Left).asInt(), 10);
    // Writes to a window that is not loaded shape its next load.
    set(Edit, CommonProperty::Top, TypedValue::ofInt(33));
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    EXPECT_EQ(get(Edit, CommonProperty::Top).asInt(), 33);
}

TEST_F(Windows, OwnPropertiesOfAWindowThatIsNotLoadedAreAFatalError)
{
    const tessaly::testing::ThrowingErrorHook hook;
    try {
        get(MainOwn, 8);
        FAIL() << "no report";
    } catch (const CapturedReport& r) {
        EXPECT_NE(r.text.find("读取组件属性时发现指定窗口尚未载入"), std::string::npos);
        EXPECT_NE(r.text.find("未找到所指定的窗口"), std::string::npos) << r.text;
    }
    // The reporter suspends events for good; this process goes on.
    RuntimeApp::instance().resumeEvents();
}

TEST_F(Windows, WindowPropertiesAnswerTheirStoredValues)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    const TypedValue title = get(MainOwn, 8);
    EXPECT_STREQ(title.text(), "测试窗口");
    release(title.pointer());
    set(MainOwn, 8, TypedValue::ofPointer("新标题", TypeCode::Text));
    wchar_t text[32] = {};
    GetWindowTextW(mainHandle(), text, 32);
    EXPECT_STREQ(text, L"新标题");
    EXPECT_STREQ(get(MainOwn, CommonProperty::Tag).text(), "main");
}

TEST_F(Windows, MenuEntriesRaiseTheirEventAndSeparatorsNever)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    const UnitTable& units = layer().templates().find(MainWindow)->units;
    SendMessageW(mainHandle(), WM_COMMAND, *menuCommandOf(units, MenuEntry), 0);
    SendMessageW(mainHandle(), WM_COMMAND, *menuCommandOf(units, MenuSeparator), 0);
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "menu entry"), 1);
    EXPECT_EQ(*menuCommandOf(units, MenuEntry), 20001u);
}

TEST_F(Windows, HiddenEntriesAndSeparatorsAreLeftOutOfTheMenu)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    const UnitTable& units = layer().templates().find(MainWindow)->units;
    EXPECT_EQ(GetMenuItemCount(buildPopupMenu(units, Menu, false).get()), 2);
    set(MenuSeparator, 3, TypedValue::ofBool(false));
    EXPECT_EQ(GetMenuItemCount(buildPopupMenu(units, Menu, false).get()), 1) << "a hidden separator is left out";
    set(MenuEntry, 3, TypedValue::ofBool(false));
    EXPECT_EQ(GetMenuItemCount(buildPopupMenu(units, Menu, false).get()), 0);
    set(MenuSeparator, 3, TypedValue::ofBool(true));
    EXPECT_EQ(GetMenuItemCount(buildPopupMenu(units, Menu, false).get()), 1);
}

TEST_F(Windows, MenuItemPropertiesChangeOnlyWhenTheValueDoes)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    const UnitTable& units = layer().templates().find(MainWindow)->units;
    const ByteView before = units.bodyAt(*units.indexOf(MenuEntry));
    const Bytes saved(before.begin(), before.end());
    set(MenuEntry, 0, TypedValue::ofPointer("设置", TypeCode::Text));
    const ByteView same = units.bodyAt(*units.indexOf(MenuEntry));
    EXPECT_TRUE(std::equal(same.begin(), same.end(), saved.begin(), saved.end()));
    set(MenuEntry, 1, TypedValue::ofBool(true));
    EXPECT_TRUE(get(MenuEntry, 1).asBool());
    EXPECT_TRUE(get(MenuEntry, 3).asBool()) << "visible";
    set(MenuEntry, 3, TypedValue::ofBool(false));
    EXPECT_FALSE(get(MenuEntry, 3).asBool());
}

TEST_F(Windows, CharacterRoutineCanSwallowOrReplaceTheCharacter)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    HWND edit = layer().findUnit(MainWindow, Edit)->handle();
    g_charAnswer = 0;
    PostMessageW(edit, WM_CHAR, 'x', 0);
    pumpPending();
    g_charAnswer = 65;
    PostMessageW(edit, WM_CHAR, 'y', 0);
    pumpPending();
    wchar_t text[16] = {};
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"A");
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "char 120"), 1);
}

TEST_F(Windows, InputWhileEventsAreSuspendedRaisesNothing)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    HWND edit = layer().findUnit(MainWindow, Edit)->handle();
    RuntimeApp::instance().suspendEvents();
    PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    pumpPending();
    RuntimeApp::instance().resumeEvents();
    EXPECT_TRUE(std::none_of(g_events.begin(), g_events.end(), [](const std::string& e) { return e.starts_with("down"); }));
    PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    pumpPending();
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "down 3,4"), 1);
}

// Suspension is a counter: each resume takes back one suspension, so nested
// suspensions keep events away until the outermost one is resumed.
TEST_F(Windows, EventsComeBackOnlyWhenTheLastSuspensionIsResumed)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    HWND edit = layer().findUnit(MainWindow, Edit)->handle();
    auto downs = [] { return std::count(g_events.begin(), g_events.end(), "down 3,4"); };
    RuntimeApp& app = RuntimeApp::instance();
    app.suspendEvents();
    app.suspendEvents();
    app.resumeEvents();
    PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    pumpPending();
    EXPECT_EQ(downs(), 0) << "one suspension is still counted";
    app.resumeEvents();
    PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    pumpPending();
    EXPECT_EQ(downs(), 1);
}

TEST_F(Windows, MousePointerIsStoredAsTheSystemCursorAndShownOverTheUnit)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    const uint8_t ibeam[] = {3};
    void* pointer = makeResultByteSet(ibeam, 1);
    set(Edit, CommonProperty::MousePointer, TypedValue::ofPointer(pointer, TypeCode::Bytes));
    release(pointer);

    const TypedValue read = get(Edit, CommonProperty::MousePointer);
    ASSERT_EQ(byteSetLength(read.pointer()), 4);
    EXPECT_EQ(byteSetData(read.pointer())[0], 3) << "read back as the kind";
    release(read.pointer());
    const UnitTable& units = layer().templates().find(MainWindow)->units;
    const UnitFields f = units.unitFields(*units.indexOf(Edit));
    EXPECT_EQ(loadU32(f.mousePointer.data()), 32513u) << "stored as the cursor identifier";

    HWND edit = layer().findUnit(MainWindow, Edit)->handle();
    SendMessageW(edit, WM_SETCURSOR, reinterpret_cast<WPARAM>(edit), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)));
}

TEST_F(Windows, CopiesLoadTheirPointerAndTakeIdentifiersOfTheirOwn)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    std::vector<HWND> copies;
    for (int i = 0; i < 2; ++i) {
        UnitCall call;
        call.windowId = MainWindow;
        call.unitId = Edit;
        ASSERT_TRUE(copyUnit(layer(), call));
        copies.push_back(layer().findUnit(MainWindow, call.result)->handle());
    }
    HWND edit = layer().findUnit(MainWindow, Edit)->handle();
    for (HWND copy : copies) {
        SendMessageW(copy, WM_SETCURSOR, reinterpret_cast<WPARAM>(copy), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32515))) << "the copy shows its source's pointer";
        EXPECT_NE(GetDlgCtrlID(copy), GetDlgCtrlID(edit));
    }
    EXPECT_NE(GetDlgCtrlID(copies[0]), GetDlgCtrlID(copies[1]));

    // Measure requests find their unit by its identifier.
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    SendMessageW(mainHandle(), WM_MEASUREITEM, static_cast<WPARAM>(GetDlgCtrlID(copies[1])),
                 reinterpret_cast<LPARAM>(&measure));
    ASSERT_EQ(g_measured.size(), 1u);
    EXPECT_EQ(g_measured[0], Unit::fromHandle(copies[1])->unitId());
}

bool g_mainEnabledDuringModal = true;

void CALLBACK closeDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND main = WindowLayer::instance().findWindow(MainWindow)->handle();
    g_mainEnabledDuringModal = IsWindowEnabled(main) != FALSE;
    PostMessageW(WindowLayer::instance().findWindow(Dialog)->handle(), WM_CLOSE, 0, 0);
}

TEST_F(Windows, ModalWindowDisablesTheOthersUntilItCloses)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    SetTimer(nullptr, 0, 50, &closeDialog);
    EXPECT_TRUE(layer().load(Dialog, 0, true));  // returns once the dialog is gone
    EXPECT_FALSE(g_mainEnabledDuringModal);
    EXPECT_EQ(layer().findWindow(Dialog), nullptr);
    EXPECT_TRUE(IsWindowEnabled(mainHandle()));
}

TEST_F(Windows, WindowListAnswersTheLoadedWindows)
{
    EXPECT_EQ(runtimeNotify(RuntimeNotify::WindowList, 0, 0), 0);
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    uint32_t ids[4] = {};
    EXPECT_EQ(runtimeNotify(RuntimeNotify::WindowList, reinterpret_cast<intptr_t>(ids), 4), 1);
    EXPECT_EQ(ids[0], MainWindow);
}

TEST_F(Windows, ErrorReportNamesTheWindowAndUnitTags)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    const std::string text = composeErrorReport("x", 0, static_cast<int32_t>(MainWindow), static_cast<int32_t>(Edit),
                                                errorSubject());
    EXPECT_NE(text.find("属性值: \"main\"\r\n所访问窗口组件的\"标记\"属性值: \"edit\""), std::string::npos) << text;
}

TypedValue runCommand(CommandEntry command, std::vector<TypedValue> arguments)
{
    return callCommand(command, static_cast<int32_t>(arguments.size()), arguments.data());
}

TypedValue editValue(uint32_t unit) { return TypedValue::ofUnit(MainWindow, unit, TestEditTypeId); }

TEST_F(Windows, CopiesStayReachableAroundDestroyedOnesAndGoWithTheWindow)
{
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    std::vector<uint32_t> copies;
    for (int32_t i = 0; i < 6; ++i) {
        uint32_t copy[2] = {};
        ASSERT_TRUE(runCommand(commands::CopyUnit, {editValue(Edit), TypedValue::ofPointer(copy, TestEditTypeId | ArgumentFlag)}).asBool());
        copies.push_back(copy[1]);
        set(copy[1], CommonProperty::Left, TypedValue::ofInt(20 + i));
        set(copy[1], CommonProperty::Tag, TypedValue::ofPointer(std::to_string(i).c_str(), TypeCode::Text));
    }
    runCommand(commands::Destroy, {editValue(copies[2])});
    runCommand(commands::Destroy, {editValue(copies[0])});
    EXPECT_EQ(layer().findUnit(MainWindow, copies[2]), nullptr);
    set(copies[5], CommonProperty::Left, TypedValue::ofInt(99));
    for (const int32_t i : {1, 3, 4, 5}) {
        Unit* unit = layer().findUnit(MainWindow, copies[i]);
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(unit->unitId(), copies[i]);
        RECT r;
        GetWindowRect(unit->handle(), &r);
        MapWindowPoints(nullptr, mainHandle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, i == 5 ? 99 : 20 + i) << "copy " << i;
        EXPECT_EQ(get(copies[i], CommonProperty::Left).asInt(), r.left);
        const TypedValue tag = get(copies[i], CommonProperty::Tag);
        EXPECT_EQ(std::string(tag.text()), std::to_string(i));
        release(tag.pointer());
    }

    DestroyWindow(mainHandle());
    const UnitTable& units = layer().templates().find(MainWindow)->units;
    for (const uint32_t copy : copies) EXPECT_EQ(units.indexOf(copy), std::nullopt);
    EXPECT_EQ(get(Edit, CommonProperty::Left).asInt(), 10);
    ASSERT_TRUE(layer().load(MainWindow, 0, false));
    EXPECT_NE(layer().findUnit(MainWindow, Edit), nullptr);
    EXPECT_EQ(layer().findUnit(MainWindow, copies[1]), nullptr);
}

}  // namespace
}  // namespace tessaly::ui
