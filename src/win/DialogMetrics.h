#pragma once
// The system message font at a window's DPI and the measures derived from it: dialog units
// (a quarter of the font's average character width across, an eighth of its height down), so
// every gap and control size follows the user's font and scaling as native dialogs do.

#include <windows.h>

#include <string>

namespace bp::win {

class DialogMetrics {
public:
    explicit DialogMetrics(HWND window);
    DialogMetrics(const DialogMetrics&) = delete;
    DialogMetrics& operator=(const DialogMetrics&) = delete;
    ~DialogMetrics();

    HFONT font() const { return font_; }
    UINT dpi() const { return dpi_; }
    int x(int dialogUnits) const { return MulDiv(dialogUnits, baseX_, 4); }
    int y(int dialogUnits) const { return MulDiv(dialogUnits, baseY_, 8); }
    // The size `text` takes in the font, access-key ampersands and line breaks included.
    SIZE textSize(const std::wstring& text) const;
    // The size `text` takes when its words wrap at `width` pixels.
    SIZE wrappedTextSize(const std::wstring& text, int width) const;
    int averageCharWidth() const { return baseX_; }

private:
    UINT dpi_;
    HFONT font_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    int baseX_ = 6;
    int baseY_ = 13;
};

// The DPI of the monitor `window` is on (the system DPI where Windows cannot tell).
UINT windowDpi(HWND window);

}  // namespace bp::win
