#include "win/WinFontDialog.h"

#include <commdlg.h>

#include <cmath>
#include <cwchar>

#include "platform/WinText.h"
#include "win/DialogFailure.h"

namespace bp::win {
namespace {

constexpr double kPointsPerInch = 72.0;

LOGFONTW logFont(const forms::FontChoice& font, int dpi) {
    LOGFONTW result{};
    result.lfHeight = fontHeight(font.size, dpi);
    result.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    result.lfItalic = font.italic ? TRUE : FALSE;
    result.lfUnderline = font.underline ? TRUE : FALSE;
    result.lfStrikeOut = font.strikeThrough ? TRUE : FALSE;
    result.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = platform::toWide(font.name);
    // A longer name than LOGFONT holds could only name a different font: the dialog gets none.
    if (face.size() < LF_FACESIZE) {
        std::wcsncpy(result.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    }
    return result;
}

// The dialog lists whole (sometimes half) points: a size it only rounded for display, and
// the user left alone, keeps its fraction.
double chosenSize(const forms::FontChoice& initial, LONG sentHeight, const LOGFONTW& chosen,
                  INT tenths, int dpi) {
    if (chosen.lfHeight == sentHeight) {
        return initial.size;
    }
    if (tenths > 0) {
        return tenths / 10.0;
    }
    return fontPoints(chosen.lfHeight, dpi);
}

}  // namespace

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

LONG fontHeight(double points, int dpi) {
    return -static_cast<LONG>(std::lround(points * dpi / kPointsPerInch));
}

double fontPoints(LONG height, int dpi) {
    const double points = std::abs(height) * kPointsPerInch / dpi;
    return std::round(points * 10.0) / 10.0;
}

std::optional<forms::FontChoice> fontDialog(const forms::FontChoice& initial, HWND owner) {
    const int dpi = screenDpi();
    LOGFONTW font = logFont(initial, dpi);
    const LONG sentHeight = font.lfHeight;
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &font;
    dialog.Flags = CF_EFFECTS | CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    dialog.rgbColors = initial.color & 0x00FFFFFF;
    if (!ChooseFontW(&dialog)) {
        const DWORD failure = CommDlgExtendedError();
        if (failure == 0) {
            return std::nullopt;
        }
        raiseCommonDialogFailure("font dialog", failure);
    }
    forms::FontChoice chosen;
    chosen.name = platform::toUtf8(font.lfFaceName);
    chosen.size = chosenSize(initial, sentHeight, font, dialog.iPointSize, dpi);
    chosen.bold = font.lfWeight >= FW_SEMIBOLD;
    chosen.italic = font.lfItalic != FALSE;
    chosen.underline = font.lfUnderline != FALSE;
    chosen.strikeThrough = font.lfStrikeOut != FALSE;
    chosen.color = dialog.rgbColors & 0x00FFFFFF;
    return chosen;
}

}  // namespace bp::win
