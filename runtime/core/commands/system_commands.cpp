// System commands: the program directory and its claim, the screen, the
// pointer, the installed fonts, a message for the user and the clock.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/directory_claim.h"
#include "runtime/core/memory.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/text_encoding.h"
#include "runtime/core/win32_handles.h"

namespace tessaly::commands {
namespace {

// Each font name travels in a block of a face name's full size.
constexpr size_t FaceNameBlockSize = LF_FACESIZE;

POINT cursorPosition()
{
    POINT p{};
    GetCursorPos(&p);
    return p;
}

int CALLBACK collectFaceName(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names)
{
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(narrowToGbk(font->lfFaceName));
    return 1;
}

// Every family for every character set, in the order the system reports them.
std::vector<std::string> enumerateFaceNames()
{
    std::vector<std::string> names;
    const WindowDC screen(nullptr);
    LOGFONTW request{};
    request.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen.get(), &request, collectFaceName, reinterpret_cast<LPARAM>(&names), 0);
    return names;
}

// Last to first, dropping a name equal to the one examined just before it
// (the first is compared with the empty name).
std::vector<std::string> withoutAdjacentRepeats(const std::vector<std::string>& names)
{
    std::vector<std::string> kept;
    std::string previous;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (*name != previous) kept.push_back(*name);
        previous = *name;
    }
    return kept;
}

char* makeFaceNameBlock(const std::string& name)
{
    auto* block = static_cast<char*>(allocate(FaceNameBlockSize));
    std::memset(block, 0, FaceNameBlockSize);
    std::memcpy(block, name.data(), std::min(name.size(), FaceNameBlockSize - 1));
    return block;
}

}  // namespace

void GetRunDirectory(TypedValue* result, int32_t, TypedValue*)
{
    setTextResult(result, RuntimeApp::instance().programDirectory());
}

void ScreenWidth(TypedValue* result, int32_t, TypedValue*) { setIntResult(result, GetSystemMetrics(SM_CXSCREEN)); }

void ScreenHeight(TypedValue* result, int32_t, TypedValue*) { setIntResult(result, GetSystemMetrics(SM_CYSCREEN)); }

// The screen's dots per inch, which window descriptions are scaled to (96 at 100 %).
void ScreenDotsPerInch(TypedValue* result, int32_t, TypedValue*)
{
    setIntResult(result, static_cast<int32_t>(GetDpiForSystem()));
}

void CursorX(TypedValue* result, int32_t, TypedValue*) { setIntResult(result, cursorPosition().x); }

void CursorY(TypedValue* result, int32_t, TypedValue*) { setIntResult(result, cursorPosition().y); }

void GetFontNames(TypedValue* result, int32_t, TypedValue*)
{
    const std::vector<std::string> names = withoutAdjacentRepeats(enumerateFaceNames());
    void* block = makeResultArray(static_cast<int32_t>(names.size()), sizeof(char*));
    std::byte* element = arrayElements(block).first;
    for (const std::string& name : names) {
        char* text = makeFaceNameBlock(name);
        std::memcpy(element, &text, sizeof text);
        element += sizeof text;
    }
    setPointerResult(result, block);
}

// (owner window handle, text, [title]): a warning the user confirms, owned by
// the window so it stays in front of it; answers the button pressed.
void ShowMessage(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const auto owner = reinterpret_cast<HWND>(static_cast<intptr_t>(a.at(0).asInt()));
    const std::wstring text = widenGbk(a.text(1));
    const std::wstring title = widenGbk(a.text(2));
    setIntResult(result, MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING));
}

}  // namespace tessaly::commands

namespace tessaly::commands {

// → Int: milliseconds since the system started, wrapping round after 49.7
// days; differences taken as unsigned numbers stay right across the wrap.
void TickCount(TypedValue* result, int32_t, TypedValue*) { result->low = GetTickCount(); }

// (routine `SubPointer`) → Bool: true when this process is the one program
// running from its directory. Otherwise the one that runs there has been
// asked to come forward and the answer is false; the routine given is what a
// later start in this directory will run here.
void ClaimProgramDirectory(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    RuntimeApp& app = RuntimeApp::instance();
    if (!claimDirectory(app.programDirectoryWide(), app.hiddenOwner())) return;
    app.setAnotherStartRoutine(reinterpret_cast<void (*)()>(a.at(0).pointer()));
    result->low = 1;
}

}  // namespace tessaly::commands
