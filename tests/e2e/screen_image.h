// What the screen shows: a copy of part of it, a desktop of a known colour
// under the tool's windows, and a caption drawn the way its label draws it,
// to compare with what the screen shows of the label.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tessaly::e2e {

// An image of `width` x `height` pixels, row by row from the top.
class Image {
public:
    Image(int width, int height, std::vector<COLORREF> pixels);
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

private:
    int width_;
    int height_;
    std::vector<COLORREF> pixels_;
};

// A copy of the screen's pixels in `area` (screen coordinates).
Image captureScreen(const RECT& area);
// A copy of the part of the screen that a window covers.
Image captureWindow(HWND window);

// A window of this program that covers the screen in one colour and lies
// under the tool's windows, standing in for the desktop.
class Desktop {
public:
    explicit Desktop(COLORREF colour);
    // A desktop showing a picture from a BMP file, stretched over every monitor.
    explicit Desktop(const std::wstring& bitmapFile);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    COLORREF colour() const { return colour_; }
    // Shows the picture, stretched, in place of what it showed; and its
    // colour again. A desktop laid later would not cover this one: the X
    // server keeps a window mapped later above, wherever it was asked to go.
    void showPicture(const Image& picture);
    void showColour();

private:
    void show(HBRUSH background);
    void repaint(HBITMAP picture);
    COLORREF colour_ = 0;
    HWND window_ = nullptr;
    HBITMAP picture_ = nullptr;
};

// A caption as a label draws it: the text centred on one line in its font
// over the background colour, in a label of the given size.
struct CaptionDrawing {
    std::string textGbk;
    std::string face;
    int points = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool smoothed = true;
    COLORREF textColour = 0;
    COLORREF background = 0;
};
Image drawCaption(const CaptionDrawing& caption, int width, int height);
// The caption's text measured in its font.
SIZE measureCaption(const CaptionDrawing& caption);

// The desktop every end-to-end test program lays under the tool's windows
// before any tool starts (the X server stacks a window mapped later above
// the ones before it, whatever the stacking order asked for).
// A light colour no test caption is drawn in.
inline constexpr COLORREF BackdropColour = RGB(200, 220, 240);
Desktop& backdrop();

// Whether a caption label shows anything over a desktop of one colour: a
// caption that its display window paints has no window of its own that the
// system shows, so the screen is what tells.
bool showsOver(COLORREF desktop, HWND label);

// The pixels of `shown`, a copy of a caption label's place, within the
// label's rounded region, counted by colour.
std::map<COLORREF, int> regionColours(const Image& shown);

// Writes the image as a 24-bit BMP file.
bool saveBitmap(const Image& image, const std::wstring& path);

// Pixels of `shown` that differ from `expected` within a caption label's
// rounded region; where `expected` holds the colour key, `shown` must hold the desktop.
int differingPixels(const Image& shown, const Image& expected, COLORREF colourKey, COLORREF desktop);

}  // namespace tessaly::e2e
