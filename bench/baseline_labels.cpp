// The minimal programs the caption tool is measured against: plain C++ on
// Win32, no runtime. A full-screen layered window keyed on its background
// colour shows N captions, each with its own font and colours and rounded
// corners; a 20 ms tick moves every caption by the scroll step with
// wrap-round at the screen's edges and writes one file of all the captions'
// lines (the size of the tool's configuration file). Two ways to show them:
//   windows  one child window of a small painted class per caption, with a
//            rounded window region, moved by the system (how the tool showed
//            captions before its display painted them);
//   painted  the display window paints every caption itself, clipped to its
//            rounded region, and repaints only the places that changed, in
//            one invalidation per tick: the best this platform allows. It
//            paints off the window and copies each frame on in one piece,
//            once the X server has taken the last one (under Wine the window's
//            pixels are memory the server reads later; without the wait the
//            colour key shows along moving captions).
//
//   baseline_labels WAY tick N TICKS RESULT     time TICKS ticks of N captions
//   baseline_labels WAY startup N RESULT        time to the first painted caption
//   baseline_labels WAY run N                   tick every 20 ms until ended
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/caption_set.h"

namespace tessaly::bench {
namespace {

constexpr wchar_t DisplayClass[] = L"BaselineDisplay";
constexpr wchar_t LabelClass[] = L"BaselineLabel";
constexpr UINT_PTR TickTimer = 1;
constexpr UINT CaptionFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;

struct Label {
    CaptionSample sample;
    std::wstring text;
    HFONT font = nullptr;
    HBRUSH background = nullptr;
    HRGN shape = nullptr;  // the rounded corners, at the label's own origin
    HWND window = nullptr;
    int32_t left = 0, top = 0, width = 0, height = 0;

    RECT rect() const { return {left, top, left + width, top + height}; }
    ~Label()
    {
        if (font != nullptr) DeleteObject(font);
        if (background != nullptr) DeleteObject(background);
        if (shape != nullptr) DeleteObject(shape);
    }
};

bool painted = false;
std::vector<std::unique_ptr<Label>> labels;
HWND display = nullptr;
HBRUSH keyBrush = nullptr;
HRGN dirty = nullptr;    // what the tick changed, invalidated once
HRGN scratch = nullptr;  // a label's shape where it stands
HDC canvas = nullptr;    // a frame, painted off the window
std::wstring configPath;

std::wstring widen(const std::string& gbk)
{
    const int size = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), size);
    return wide;
}

HFONT makeFont(const CaptionSample& c)
{
    LOGFONTW f{};
    f.lfHeight = -MulDiv(c.points, 96, 72);
    f.lfWeight = (c.style == 1 || c.style == 3) ? FW_BOLD : FW_NORMAL;
    f.lfItalic = (c.style == 2 || c.style == 3) ? TRUE : FALSE;
    f.lfCharSet = GB2312_CHARSET;
    // Letters on the colour key are drawn unsmoothed, so no rim survives the key.
    f.lfQuality = c.background == ColourKey ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
    const std::wstring face = widen(c.face);
    wcsncpy(f.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&f);
}

// The caption over its background (none on the colour key), in `area`.
void drawCaption(HDC dc, const Label& label, const RECT& area)
{
    if (label.sample.background != ColourKey) FillRect(dc, &area, label.background);
    HGDIOBJ old = SelectObject(dc, label.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.sample.textColour);
    RECT text = area;
    DrawTextW(dc, label.text.c_str(), static_cast<int>(label.text.size()), &text, CaptionFlags);
    SelectObject(dc, old);
}

void paintLabel(HWND window)
{
    const auto* label = reinterpret_cast<const Label*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT area;
    GetClientRect(window, &area);
    FillRect(dc, &area, keyBrush);
    drawCaption(dc, *label, area);
    EndPaint(window, &ps);
}

// Every caption that meets the update region, the earliest first, each
// clipped to its rounded shape, on a frame the size of the screen.
void paintDisplay(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    FillRect(canvas, &ps.rcPaint, keyBrush);
    for (const auto& l : labels) {
        const RECT r = l->rect();
        if (!RectVisible(dc, &r)) continue;
        CombineRgn(scratch, l->shape, nullptr, RGN_COPY);
        OffsetRgn(scratch, r.left, r.top);
        ExtSelectClipRgn(canvas, scratch, RGN_COPY);
        drawCaption(canvas, *l, r);
    }
    SelectClipRgn(canvas, nullptr);
    // A pixel of the screen is a round trip to the X server: it answers once
    // it has taken the last frame.
    HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);
    ReleaseDC(nullptr, screen);
    const RECT& p = ps.rcPaint;
    BitBlt(dc, p.left, p.top, p.right - p.left, p.bottom - p.top, canvas, p.left, p.top, SRCCOPY);
    EndPaint(window, &ps);
}

LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: paintLabel(window); return 0;
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

void addDirty(const RECT& r)
{
    HRGN part = CreateRectRgnIndirect(&r);
    CombineRgn(dirty, dirty, part, RGN_OR);
    DeleteObject(part);
}

void moveLabels()
{
    const int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int32_t screenHeight = GetSystemMetrics(SM_CYSCREEN);
    for (const auto& l : labels) {
        const RECT before = l->rect();
        switch (l->sample.direction) {
        case 1:
            l->left += ScrollStep;
            if (l->left > screenWidth) l->left = -l->width;
            break;
        case 2:
            l->left -= ScrollStep;
            if (l->left + l->width < 0) l->left = screenWidth;
            break;
        case 3:
            l->top += ScrollStep;
            if (l->top > screenHeight) l->top = -l->height;
            break;
        default:
            l->top -= ScrollStep;
            if (l->top + l->height < 0) l->top = screenHeight;
            break;
        }
        if (!painted) {
            SetWindowPos(l->window, nullptr, l->left, l->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        // A step overlaps the place before it, so one rectangle covers both;
        // a wrap-round gives two.
        const RECT after = l->rect();
        RECT both;
        UnionRect(&both, &before, &after);
        if ((both.right - both.left) * (both.bottom - both.top) <= 2 * l->width * l->height) {
            addDirty(both);
        } else {
            addDirty(before);
            addDirty(after);
        }
    }
    if (!painted) return;
    InvalidateRgn(display, dirty, FALSE);
    SetRectRgn(dirty, 0, 0, 0, 0);
}

void writePositions()
{
    std::string text;
    for (size_t i = 0; i < labels.size(); ++i) {
        if (i != 0) text += "\r\n";
        text += configurationLine(labels[i]->sample, labels[i]->left, labels[i]->top);
    }
    HANDLE file = CreateFileW(configPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void tick()
{
    moveLabels();
    writePositions();
}

LRESULT CALLBACK displayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam != TickTimer) break;
        tick();
        return 0;
    case WM_PAINT:
        if (!painted) break;
        paintDisplay(window);
        return 0;
    case WM_ERASEBKGND:
        if (!painted) break;
        return 1;  // the paint fills what it repaints
    case WM_DESTROY: PostQuitMessage(0); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerClasses()
{
    keyBrush = CreateSolidBrush(ColourKey);
    WNDCLASSEXW display{sizeof(display)};
    display.lpfnWndProc = &displayProcedure;
    display.hInstance = GetModuleHandleW(nullptr);
    display.hCursor = LoadCursor(nullptr, IDC_ARROW);
    display.hbrBackground = keyBrush;
    display.lpszClassName = DisplayClass;
    RegisterClassExW(&display);

    WNDCLASSEXW label{sizeof(label)};
    label.style = CS_DBLCLKS;
    label.lpfnWndProc = &labelProcedure;
    label.hInstance = GetModuleHandleW(nullptr);
    label.hCursor = LoadCursor(nullptr, IDC_ARROW);
    label.lpszClassName = LabelClass;
    RegisterClassExW(&label);
}

void createDisplay()
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    display = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, DisplayClass,
                              L"Baseline", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetLayeredWindowAttributes(display, ColourKey, 255, LWA_COLORKEY | LWA_ALPHA);
    ShowWindow(display, SW_SHOW);
    dirty = CreateRectRgn(0, 0, 0, 0);
    scratch = CreateRectRgn(0, 0, 0, 0);
    canvas = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    SelectObject(canvas, CreateDIBSection(canvas, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

// Width at least L x (s - 9) and height at least 2s, as the tool sizes its
// labels, and never smaller than the caption plus the margin, measured as the
// tool measures it: in the regular weight and with the label's text flags.
void sizeLabel(Label& l)
{
    // A memory DC: a DC of the layered display window would push the whole
    // window to the screen each time it is released.
    static HDC measuring = CreateCompatibleDC(nullptr);
    CaptionSample regular = l.sample;
    regular.style = 0;
    HFONT font = makeFont(regular);
    HGDIOBJ old = SelectObject(measuring, font);
    RECT area{0, 0, 0, 0};
    DrawTextW(measuring, l.text.c_str(), static_cast<int>(l.text.size()), &area, CaptionFlags | DT_CALCRECT);
    SelectObject(measuring, old);
    DeleteObject(font);
    const auto bytes = static_cast<int32_t>(l.sample.text.size());
    l.width = std::max(bytes * (l.sample.points - 9), static_cast<int32_t>(area.right) + LabelMargin);
    l.height = std::max(l.sample.points * 2, static_cast<int32_t>(area.bottom) + LabelMargin);
}

void createWindowOf(Label& l)
{
    l.window = CreateWindowExW(0, LabelClass, l.text.c_str(), WS_CHILD | WS_CLIPSIBLINGS, l.left, l.top, l.width,
                               l.height, display, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(l.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&l));
    // A label made later lies above the ones before it.
    SetWindowPos(l.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowRgn(l.window, CreateRoundRectRgn(0, 0, l.width, l.height, CornerEllipse, CornerEllipse), TRUE);
    ShowWindow(l.window, SW_SHOWNA);
}

void createLabels(int32_t n)
{
    for (int32_t k = 0; k < n; ++k) {
        auto l = std::make_unique<Label>();
        l->sample = captionSample(k);
        l->text = widen(l->sample.text);
        l->font = makeFont(l->sample);
        l->background = CreateSolidBrush(l->sample.background);
        l->left = l->sample.left;
        l->top = l->sample.top;
        sizeLabel(*l);
        if (painted) {
            l->shape = CreateRoundRectRgn(0, 0, l->width, l->height, CornerEllipse, CornerEllipse);
            const RECT r = l->rect();
            InvalidateRect(display, &r, FALSE);
        } else {
            createWindowOf(*l);
        }
        labels.push_back(std::move(l));
    }
}

// Handles every waiting message, painting included.
void pumpUntilIdle()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void start(int32_t n)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    configPath = path;
    configPath = configPath.substr(0, configPath.rfind(L'\\')) + L"\\baseline-positions.ini";
    registerClasses();
    createDisplay();
    createLabels(n);
}

int timeTicksOf(int32_t n, int32_t count, const std::string& resultPath)
{
    start(n);
    pumpUntilIdle();
    ResultFile result(resultPath);
    result.addTicks(timeTicks(
        count, 20.0, [] { SendMessageW(display, WM_TIMER, TickTimer, 0); }, [] { pumpUntilIdle(); }));
    return 0;
}

int timeStartUp(int32_t n, const std::string& resultPath)
{
    // The first caption painted: by its own window, or by the display.
    watchFirstPaint(painted ? DisplayClass : LabelClass);
    start(n);
    MSG msg;
    while (firstPaintPending() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    ResultFile(resultPath).add("first_paint_ms", firstPaintMilliseconds());
    return 0;
}

int run(int32_t n)
{
    start(n);
    SetTimer(display, TickTimer, 20, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace
}  // namespace tessaly::bench

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace tessaly::bench;
    std::vector<std::string> a = arguments();
    if (a.empty() || (a[0] != "windows" && a[0] != "painted")) return 2;
    painted = a[0] == "painted";
    a.erase(a.begin());
    if (a.size() >= 4 && a[0] == "tick") return timeTicksOf(std::atoi(a[1].c_str()), std::atoi(a[2].c_str()), a[3]);
    if (a.size() >= 3 && a[0] == "startup") return timeStartUp(std::atoi(a[1].c_str()), a[2]);
    if (a.size() >= 2 && a[0] == "run") return run(std::atoi(a[1].c_str()));
    return 2;
}
