#include "win/DialogMetrics.h"

#include <algorithm>

namespace bp::win {
namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using MetricsForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <class Fn>
Fn user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr
               ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The message font scaled to `dpi`; older systems only report it at the system DPI.
LOGFONTW messageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (auto forDpi = user32Function<MetricsForDpi>("SystemParametersInfoForDpi")) {
        if (forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
            return metrics.lfMessageFont;
        }
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        LOGFONTW fallback{};
        fallback.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
        wcscpy(fallback.lfFaceName, L"Tahoma");
        return fallback;
    }
    const UINT system = systemDpi();
    if (system != dpi) {
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(system));
    }
    return metrics.lfMessageFont;
}

}  // namespace

UINT windowDpi(HWND window) {
    if (auto forWindow = user32Function<DpiForWindow>("GetDpiForWindow")) {
        if (const UINT dpi = forWindow(window); dpi > 0) {
            return dpi;
        }
    }
    return systemDpi();
}

DialogMetrics::DialogMetrics(HWND window) : dpi_(windowDpi(window)) {
    const LOGFONTW logFont = messageFont(dpi_);
    font_ = CreateFontIndirectW(&logFont);
    dc_ = CreateCompatibleDC(nullptr);
    oldFont_ = SelectObject(dc_, font_);
    TEXTMETRICW text{};
    GetTextMetricsW(dc_, &text);
    // The average width as dialog templates compute it: the mean of the Latin letters.
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(dc_, kLetters, 52, &letters);
    baseX_ = std::max(1L, (letters.cx / 26 + 1) / 2);
    baseY_ = std::max(1L, text.tmHeight);
}

DialogMetrics::~DialogMetrics() {
    SelectObject(dc_, oldFont_);
    DeleteDC(dc_);
    DeleteObject(font_);
}

SIZE DialogMetrics::textSize(const std::wstring& text) const {
    RECT bounds{0, 0, 0, 0};
    const std::wstring shown = text.empty() ? std::wstring(L" ") : text;
    DrawTextW(dc_, shown.c_str(), static_cast<int>(shown.size()), &bounds, DT_CALCRECT);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

SIZE DialogMetrics::wrappedTextSize(const std::wstring& text, int width) const {
    RECT bounds{0, 0, width, 0};
    const std::wstring shown = text.empty() ? std::wstring(L" ") : text;
    DrawTextW(dc_, shown.c_str(), static_cast<int>(shown.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

}  // namespace bp::win
