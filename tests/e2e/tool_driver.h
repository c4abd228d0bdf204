// Driving the real caption tool from outside, as a user would: a temporary
// program directory holding tessaly.exe and its files, the running process,
// its windows found by title, class and place, and input that reaches them
// the way the system delivers it (posted messages to windows that lie under
// the full-screen display window, SendInput for keys and for the captions).
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tessaly::e2e {

// GBK texts (the tool's, and this file's literals) to wide ones and back.
std::wstring widen(const std::string& gbk);
std::string narrow(const std::wstring& wide);

// Waits, with this thread's messages pumped, until `done` holds; false at the deadline.
bool waitUntil(const std::function<bool()>& done, DWORD milliseconds = 10000);

struct FileVersion {
    uint64_t index = 0;
    uint64_t written = 0;
    bool operator==(const FileVersion&) const = default;
};

// A directory that already holds the tool, by its path.
struct ExistingDirectory {
    std::wstring path;
};

// Texts of the tool's files are GBK bytes, as are this file's literals.
class ProgramDirectory {
public:
    // `name` is the directory's own name, under the temporary directory.
    explicit ProgramDirectory(const std::wstring& name = {});
    // A directory that already holds the tool; it is left where it is.
    explicit ProgramDirectory(ExistingDirectory existing);
    ~ProgramDirectory();
    ProgramDirectory(const ProgramDirectory&) = delete;
    ProgramDirectory& operator=(const ProgramDirectory&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring program() const;
    void write(const std::string& name, const std::string& bytes) const;
    // None when the file does not exist.
    std::optional<std::string> read(const std::string& name) const;
    bool exists(const std::string& name) const { return read(name).has_value(); }
    void remove(const std::string& name) const;
    // The names of the files it holds, GBK.
    std::set<std::string> fileNames() const;
    // Which file stands under the name, and when it was last written: a write
    // of the tool's changes it (a new file takes the name, or the old one is
    // written in place).
    FileVersion version(const std::string& name) const;

private:
    std::wstring file(const std::string& name) const;
    std::wstring path_;
    bool owned_ = true;
};

// The tool's files.
inline const std::string CaptionsFile = "字幕.ini";
inline const std::string ConfigFile = "配置.ini";
inline const std::string SettingsFile = "程序.ini";

// The file's content once it holds `expected`, or as it is at the deadline
// (empty when missing), for an assertion that shows the difference.
std::string awaitFile(const ProgramDirectory& directory, const std::string& name, const std::string& expected);

// A value of the settings file, read as the tool reads it; `fallback` when absent.
std::string readSetting(const ProgramDirectory& directory, const std::string& section, const std::string& fallback = "");

// The tray menu's entries, in menu order (the separator is stepped over).
// "退出" is chosen as the last, so that a key lost on the way cannot choose another.
inline constexpr int LastMenuEntry = -1;
inline constexpr int ShowSettingsEntry = 0;      // "显示界面"
inline constexpr int StartWithWindowsEntry = 1;  // "开机启动"
inline constexpr int ExitEntry = LastMenuEntry;  // "退出"

// A file of the directory held open by the test, as another program holds
// it: `share` 0 lets no one else in, FILE_SHARE_READ lets readers in but no
// writer. Let go when this goes, or by release().
class HeldFile {
public:
    HeldFile(const ProgramDirectory& directory, const std::string& name, DWORD share);
    ~HeldFile() { release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Counts the times a file of the directory is written, as the directory
// reports its changes: the tool's whole-file writes arrive as a file renamed
// to the name.
class WriteCounter {
public:
    // `name` (GBK) in the directory at `path`.
    WriteCounter(const std::wstring& path, const std::string& name);
    ~WriteCounter();
    WriteCounter(const WriteCounter&) = delete;
    WriteCounter& operator=(const WriteCounter&) = delete;
    // The writes reported so far; the directory reports them a moment late,
    // so a count is taken once the writer has been given time to be seen.
    int writes() const { return writes_; }

private:
    static DWORD WINAPI watch(void* self);
    HANDLE directory_ = INVALID_HANDLE_VALUE;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    std::wstring name_;
    std::atomic<int> writes_{0};
};

// A program started as the user starts it, without waiting for any window
// of it; ended when this goes if it still runs.
class StartedProgram {
public:
    explicit StartedProgram(const std::wstring& program);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;
    DWORD id() const { return process_.dwProcessId; }
    // Its exit code once it has ended, none while it still runs at the deadline.
    std::optional<DWORD> waitForExit(DWORD milliseconds = 20000);

private:
    PROCESS_INFORMATION process_{};
};

// How a test starts the tool, beyond its directory.
struct ToolLaunch {
    // Added to the tool's environment (which the tool itself never reads).
    std::vector<std::pair<std::wstring, std::wstring>> environment;
    // A library beside this test program whose "windowQuotaHook" is put on
    // the tool's thread as a CBT hook before the tool runs.
    std::wstring cbtHookLibrary;
    // The constructor waits for the start-up to end.
    bool awaitStartUp = true;
};

class ToolProcess {
public:
    // Starts the tool and waits until its start-up is over: the display
    // window is up and the hidden settings window has come and gone.
    explicit ToolProcess(const ProgramDirectory& directory, const ToolLaunch& launch = {});
    // Starts the tool as the shell does from a shortcut to it, and waits as above.
    explicit ToolProcess(const std::wstring& shortcut);
    ~ToolProcess();
    // The wait of the constructor, for a tool launched without it.
    bool awaitStartUp(DWORD milliseconds = 10000);
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    bool started() const { return display_ != nullptr; }
    DWORD id() const { return process_.dwProcessId; }
    HWND display() const { return display_; }
    // The tool's visible settings window or editor, none when not open.
    HWND settingsWindow() const;
    HWND editorWindow() const;
    // The caption labels on the display window, in stacking order, top first.
    std::vector<HWND> captionLabels() const;
    // The display window paints its captions: their own windows stay hidden
    // from the system, and the screen tells which show over the backdrop.
    std::vector<HWND> visibleCaptionLabels() const;
    // Waits until the screen shows the caption, or no longer does; false at the deadline.
    bool awaitCaptionShown(HWND label, bool shown) const;
    // The label whose text is `caption`.
    HWND captionLabel(const std::string& caption) const;

    // The tray icon's right button, as the shell reports it.
    void trayEvent(UINT mouseMessage) const;
    // Opens the tray menu and picks an entry with the keyboard.
    void chooseTrayEntry(int index) const;
    HWND openSettings(DWORD milliseconds = 10000) const;
    // "退出", then waits for the process to end; its exit code, none when it did not end.
    std::optional<DWORD> exitFromTray();
    std::optional<DWORD> waitForExit(DWORD milliseconds = 15000);
    bool running() const;
    // Ends the process at once, as a power cut or the task manager would
    // (TerminateProcess), and waits until it is gone.
    void kill();

    // Runs one tick of the caption timer, as the timer does, and waits until
    // it has been handled; with the settings window open (the timer stopped)
    // these are the only ticks. `editBox` is any edit box of the tool
    // (waitForPostedMessages).
    bool runOneTick(HWND editBox) const;
    // Waits until the caption timer has run `ticks` whole ticks from now
    // (false at the deadline). Each tick first makes the display window the
    // topmost window, so a topmost window of the test's put above it shows
    // when the next tick has begun.
    bool waitForTicks(int ticks) const;
    // The tray icon the display window set, as the shell holds it.
    bool hasTrayIcon() const;
    // The window of the tool that holds the mouse, if any.
    HWND mouseCapture() const;
    // Waits until the tool has finished the message it is handling: a
    // message sent to one of its windows is answered between two messages.
    bool settleCursor(POINT at) const;
    bool finishHandling() const;
    // Presses the left button on a caption label at `at` (screen) and waits
    // until the label holds the mouse and the press has been handled; false,
    // with the button released again, when no press reached the label.
    // `at` comes back as the place pressed.
    bool pressOnCaption(HWND label, POINT& at) const;
    // Holds the tool still while `inputs` run, as a busy machine would: what
    // they send waits in the tool's queue and is handled late.
    void whileHeld(const std::function<void()>& inputs) const;
    // Releases the button held on a caption and waits until the caption's
    // place (configuration line `line`) is stored as `topLeft`.
    bool releaseUntilStored(const ProgramDirectory& directory, int line, POINT topLeft) const;

private:
    PROCESS_INFORMATION process_{};
    HWND display_ = nullptr;
    HMODULE hookLibrary_ = nullptr;
    HHOOK hook_ = nullptr;
};

// Where "开机启动" puts the tool's shortcut: the user's Startup folder.
std::wstring startupShortcut();

// Drags the caption by 30 pixels to the right, with the settings window open:
// the smallest change a user makes to the store.
void nudgeCaption(ToolProcess& tool, HWND label);

// Windows.
std::vector<HWND> topLevelWindows(DWORD processId);
std::wstring windowTitle(HWND window);
std::wstring className(HWND window);
std::string windowTextGbk(HWND window);
// A control's own text (an edit box's content), asked of the control, GBK.
std::string controlTextGbk(HWND control);
// The child whose class and text match (text empty: any text), in Z order.
HWND findChild(HWND parent, const std::wstring& cls, const std::string& textGbk = "");
// The child whose rectangle in the parent's client area starts at (left, top).
HWND childAt(HWND parent, int left, int top);
RECT rectInParent(HWND window);
// The menu the tool is tracking, if any.
HWND openMenu(DWORD processId);
// The unit of `window` (a descendant) whose rectangle on the window's client area starts at (left, top).
HWND unitAt(HWND window, int left, int top);
// The texts of a list box's entries, GBK.
std::vector<std::string> listEntries(HWND list);
// Whether `upper` lies above `lower` in the stacking order of their siblings.
bool isAbove(HWND upper, HWND lower);

// Input.
void postClick(HWND window, int x, int y);
void postRightClick(HWND window, int x, int y);
void sendKey(WORD key);
// A key with modifiers held (VK_CONTROL, VK_SHIFT, VK_MENU).
void sendChord(std::initializer_list<WORD> modifiers, WORD key);
void moveCursor(int x, int y);
void pressLeft();
void releaseLeft();
void clickAt(int x, int y);
// Moves the pointer and releases the left button in one piece of input.
void moveAndRelease(int x, int y);
void doubleClickAt(int x, int y);
// Holds the left button on the label's middle, moves it by `dx`, `dy` (the
// label staying on the screen), waits until the label has followed and lets go.
void dragLabel(HWND label, int dx, int dy);
// With the button held on the label, moves the pointer to `to` and waits
// until the label's top left corner is at `expectedTopLeft` on its window.
bool dragHeldLabel(HWND label, POINT to, POINT expectedTopLeft);
// Whether some program holds the system-wide hotkey (MOD_ flags and a key code).
bool hotkeyTaken(UINT modifiers, UINT key);
// Makes the window the foreground one, so keys reach it.
bool bringToFront(HWND window);

// The units of the settings window and of the caption editor, found by
// class, caption or place as their templates give them.
struct SettingsUnits {
    HWND list, addCaption, settings, slider, speed, hideHotkey, showHotkey;
};
SettingsUnits settingsUnits(HWND settingsWindow);
struct EditorUnits {
    HWND content, font, style, size, colour, background, strikeOut, underline, transparent, scrolls, direction, effect,
        effectColour, confirm;
};
EditorUnits editorUnits(HWND editor);
// The font the editor's list has selected, empty when none is.
std::string selectedFont(HWND editor);

// The tool started on the given files with its settings window open and
// moved out of the captions' way, and the user's ways to the caption editor.
struct SettingsSession {
    // Files not given are not written.
    SettingsSession(const std::string& captions, const std::string& configuration, const std::string& settingsIni = "");
    bool ready() const { return settings != nullptr; }

    // "添加字幕": the editor, once loaded.
    HWND add() const;
    // The operation menu's entry `menuEntry` (0 "设置", 1 "删除") on list entry
    // `listEntry`, -1 for none selected.
    void chooseFromMenu(int listEntry, int menuEntry) const;
    // "设置" on list entry `listEntry`: the editor, once filled.
    HWND edit(int listEntry) const;
    // "确认"; false when the editor stays open.
    bool confirm(HWND editor) const;
    ProgramDirectory directory;
    std::optional<ToolProcess> tool;
    HWND settings = nullptr;
    SettingsUnits units{};
};
inline constexpr int EditEntry = 0;
inline constexpr int DeleteEntry = 1;

// The alpha a layered window is drawn with.
BYTE layeredAlpha(HWND window);

// Colours of a screen pixel, through the display's own copy of the screen.
COLORREF screenPixel(int x, int y);

// Configuration lines of the captions file format, for expected file contents.
inline const std::string FieldSeparator = "*-ZPMek-*";
std::string configurationLine(const std::vector<std::string>& fields);
std::string joinedLines(const std::vector<std::string>& lines);

// Posted messages are handled in order: waits until the tool's thread has
// handled everything posted to it so far, so that the absence of an effect
// can be asserted. `editBox` is any edit box of the tool.
bool waitForPostedMessages(HWND editBox);

// Menus: picks entry `index` of the menu that opens with the keyboard's
// keys (separators are stepped over; LastMenuEntry is the last) and waits
// until the menu is gone; false when no menu opened or it closed before the
// keys reached it.
bool chooseMenuEntry(DWORD processId, int index);
// The settings window's operation menu on list entry `listEntry` (-1: the
// selection as it is), entry `menuEntry` (EditEntry, DeleteEntry).
void chooseListMenuEntry(const ToolProcess& tool, HWND settings, int listEntry, int menuEntry);

// Windows and buttons as the user works them.
void closeWindow(HWND window);  // the close box
SIZE windowSize(HWND window);
void clickButton(HWND button);
bool isChecked(HWND checkBox);
void setText(HWND edit, const std::string& textGbk);
// A message box of the process, none when none is shown.
HWND messageBox(DWORD processId);
std::string messageBoxText(HWND box);
void dismissMessageBox(HWND box);

// The check-list box.
int listCount(HWND list);
std::string listText(HWND list, int index);
bool listChecked(HWND list, int index);
int listSelection(HWND list);
void selectListItem(HWND list, int index);  // a click on the item's text
void clickListCheckBox(HWND list, int index);
void postListMenuClick(HWND list);           // the right button released on the list

// Combo boxes.
int comboCount(HWND combo);
std::string comboText(HWND combo, int index);
int comboSelection(HWND combo);
void selectComboItem(HWND combo, int index);

// Sliders and colour pickers.
int sliderPosition(HWND slider);
void postSliderKey(HWND slider, WORD key);  // moves it as the keyboard does, with notification
void setSliderSilently(HWND slider, int position);
void chooseColour(HWND picker, COLORREF colour);

}  // namespace tessaly::e2e
