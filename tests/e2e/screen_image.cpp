#include "tests/e2e/screen_image.h"

#include <cstdio>
#include <memory>
#include <type_traits>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr BYTE GbkCharSet = 134;  // the charset of the label every caption is copied from
// Each caption label is cut to a rectangle with corners rounded by this ellipse.
constexpr int CornerEllipse = 15;
constexpr UINT CaptionFlags = DT_NOCLIP | DT_CENTER | DT_SINGLELINE | DT_VCENTER;

template <class Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, std::integral_constant<decltype(Release), Release>>;
using OwnedDc = Owned<HDC, &DeleteDC>;
using OwnedObject = Owned<HGDIOBJ, &DeleteObject>;

// A 32-bit top-down bitmap selected into a memory device context.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const uint32_t*>(bits);
        SelectObject(dc_.get(), bitmap_.get());
    }
    HDC dc() const { return dc_.get(); }

    Image image() const
    {
        GdiFlush();
        std::vector<COLORREF> pixels(static_cast<size_t>(width_) * height_);
        for (size_t i = 0; i < pixels.size(); ++i) {
            const uint32_t p = bits_ ? bits_[i] : 0;
            pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
        return Image(width_, height_, std::move(pixels));
    }

private:
    int width_, height_;
    OwnedDc dc_;
    OwnedObject bitmap_;
    const uint32_t* bits_ = nullptr;
};

LOGFONTW logFontOf(const CaptionDrawing& caption)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(caption.points, dpi, 72);
    font.lfWeight = caption.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = caption.italic;
    font.lfUnderline = caption.underline;
    font.lfStrikeOut = caption.strikeOut;
    font.lfCharSet = GbkCharSet;
    font.lfQuality = caption.smoothed ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY;
    const std::wstring face = widen(caption.face);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return font;
}

LRESULT CALLBACK desktopProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    auto picture = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_PAINT || picture == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    OwnedDc source(CreateCompatibleDC(dc));
    const HGDIOBJ previous = SelectObject(source.get(), picture);
    BITMAP b{};
    GetObjectW(picture, sizeof b, &b);
    RECT r;
    GetClientRect(window, &r);
    StretchBlt(dc, 0, 0, r.right, r.bottom, source.get(), 0, 0, b.bmWidth, b.bmHeight, SRCCOPY);
    SelectObject(source.get(), previous);
    EndPaint(window, &ps);
    return 0;
}

}  // namespace

Image::Image(int width, int height, std::vector<COLORREF> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels))
{
}

Image captureScreen(const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    Canvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    ReleaseDC(nullptr, screen);
    return canvas.image();
}

Image captureWindow(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return captureScreen(r);
}

Desktop::Desktop(COLORREF colour) : colour_(colour) { show(CreateSolidBrush(colour)); }

Desktop::Desktop(const std::wstring& bitmapFile)
    : picture_(static_cast<HBITMAP>(LoadImageW(nullptr, bitmapFile.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)))
{
    show(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void Desktop::showPicture(const Image& picture)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width();
    info.bmiHeader.biHeight = -picture.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP shown = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bits != nullptr)
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const COLORREF c = picture.at(x, y);
                static_cast<uint32_t*>(bits)[static_cast<size_t>(y) * picture.width() + x] =
                    (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
    repaint(shown);
}

void Desktop::showColour() { repaint(nullptr); }

void Desktop::repaint(HBITMAP picture)
{
    if (picture_ != nullptr) DeleteObject(picture_);
    picture_ = picture;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture_));
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Desktop::show(HBRUSH background)
{
    static int classes = 0;
    const std::wstring cls = L"TessalyTestDesktop" + std::to_wstring(++classes);
    WNDCLASSW wc{};
    wc.lpfnWndProc = desktopProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = background;
    wc.lpszClassName = cls.c_str();
    RegisterClassW(&wc);
    // Over every monitor, as a desktop lies.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls.c_str(), L"", WS_POPUP,
                              GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
                              nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture_));
    SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window_);
    if (picture_ == nullptr)
        waitUntil([&] { return screenPixel(GetSystemMetrics(SM_CXSCREEN) / 2, 1) == colour_; }, 3000);
}

Desktop::~Desktop()
{
    if (window_ != nullptr) DestroyWindow(window_);
    if (picture_ != nullptr) DeleteObject(picture_);
}

Image drawCaption(const CaptionDrawing& caption, int width, int height)
{
    Canvas canvas(width, height);
    HDC dc = canvas.dc();
    RECT area{0, 0, width, height};
    OwnedObject brush(CreateSolidBrush(caption.background));
    FillRect(dc, &area, static_cast<HBRUSH>(brush.get()));
    const LOGFONTW logFont = logFontOf(caption);
    OwnedObject font(CreateFontIndirectW(&logFont));
    const HGDIOBJ previous = SelectObject(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, caption.textColour);
    const std::wstring text = widen(caption.textGbk);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, CaptionFlags);
    SelectObject(dc, previous);
    return canvas.image();
}

SIZE measureCaption(const CaptionDrawing& caption)
{
    Canvas canvas(1, 1);
    const LOGFONTW logFont = logFontOf(caption);
    OwnedObject font(CreateFontIndirectW(&logFont));
    const HGDIOBJ previous = SelectObject(canvas.dc(), font.get());
    const std::wstring text = widen(caption.textGbk);
    RECT r{0, 0, 0, 0};
    DrawTextW(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(canvas.dc(), previous);
    return {r.right - r.left, r.bottom - r.top};
}

namespace {

// The part of a caption label's place that only it can fill: its rounded
// region, less what other windows cover (the system's tray window, the
// tool's settings window) and the places of the other captions.
class OwnPlace {
public:
    explicit OwnPlace(HWND label) : display_(GetAncestor(label, GA_ROOT))
    {
        GetWindowRect(label, &place_);
        region_.reset(CreateRoundRectRgn(0, 0, place_.right - place_.left, place_.bottom - place_.top, CornerEllipse,
                                         CornerEllipse));
        EnumWindows(&OwnPlace::otherWindow, reinterpret_cast<LPARAM>(this));
        for (HWND sibling = GetWindow(label, GW_HWNDFIRST); sibling != nullptr; sibling = GetWindow(sibling, GW_HWNDNEXT))
            if (sibling != label) cut(sibling);
    }
    const RECT& place() const { return place_; }
    // The part of the place on the screen: a capture reads nothing beyond it.
    RECT onScreen() const
    {
        RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
        screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
        RECT visible{};
        IntersectRect(&visible, &place_, &screen);
        return visible;
    }
    bool holds(int x, int y) const { return PtInRegion(static_cast<HRGN>(region_.get()), x, y) != FALSE; }

private:
    static BOOL CALLBACK otherWindow(HWND w, LPARAM self)
    {
        auto& own = *reinterpret_cast<OwnPlace*>(self);
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (w != own.display_ && process != GetCurrentProcessId() && IsWindowVisible(w)) own.cut(w);
        return TRUE;
    }
    void cut(HWND window)
    {
        RECT r;
        GetWindowRect(window, &r);
        OffsetRect(&r, -place_.left, -place_.top);
        OwnedObject cover(CreateRectRgnIndirect(&r));
        CombineRgn(static_cast<HRGN>(region_.get()), static_cast<HRGN>(region_.get()), static_cast<HRGN>(cover.get()),
                   RGN_DIFF);
    }

    HWND display_;
    RECT place_{};
    OwnedObject region_;
};

}  // namespace

bool showsOver(COLORREF desktop, HWND label)
{
    const OwnPlace own(label);
    const RECT visible = own.onScreen();
    if (IsRectEmpty(&visible)) return false;
    const Image shown = captureScreen(visible);
    const int dx = visible.left - own.place().left, dy = visible.top - own.place().top;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (own.holds(x + dx, y + dy) && shown.at(x, y) != desktop) return true;
    return false;
}

int differingPixels(const Image& shown, const Image& expected, COLORREF colourKey, COLORREF desktop)
{
    if (shown.width() != expected.width() || shown.height() != expected.height())
        return shown.width() * shown.height() + 1;
    // What the label's region leaves out shows what lies below it.
    OwnedObject region(CreateRoundRectRgn(0, 0, shown.width(), shown.height(), CornerEllipse, CornerEllipse));
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            if (!PtInRegion(static_cast<HRGN>(region.get()), x, y)) continue;
            const COLORREF want = expected.at(x, y) == colourKey ? desktop : expected.at(x, y);
            if (shown.at(x, y) != want) ++differing;
        }
    return differing;
}

std::map<COLORREF, int> regionColours(const Image& shown)
{
    OwnedObject region(CreateRoundRectRgn(0, 0, shown.width(), shown.height(), CornerEllipse, CornerEllipse));
    std::map<COLORREF, int> counts;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (PtInRegion(static_cast<HRGN>(region.get()), x, y)) ++counts[shown.at(x, y)];
    return counts;
}

bool saveBitmap(const Image& image, const std::wstring& path)
{
    const int rowBytes = (image.width() * 3 + 3) & ~3;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width();
    info.biHeight = -image.height();
    info.biPlanes = 1;
    info.biBitCount = 24;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * image.height());
    std::unique_ptr<FILE, int (*)(FILE*)> out(_wfopen(path.c_str(), L"wb"), &fclose);
    if (!out) return false;
    fwrite(&file, sizeof file, 1, out.get());
    fwrite(&info, sizeof info, 1, out.get());
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const COLORREF c = image.at(x, y);
            row[static_cast<size_t>(x) * 3] = GetBValue(c);
            row[static_cast<size_t>(x) * 3 + 1] = GetGValue(c);
            row[static_cast<size_t>(x) * 3 + 2] = GetRValue(c);
        }
        fwrite(row.data(), row.size(), 1, out.get());
    }
    return true;
}

}  // namespace tessaly::e2e
