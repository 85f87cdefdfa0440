#include "win/WinFontDialog.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>
#include <utility>

#include "platform/WinText.h"
#include "win/DialogFailure.h"

namespace bp::win {
namespace {

constexpr double kPointsPerInch = 72.0;
// A font never given a size opens at the size the program's windows use; a size beyond what
// the system draws opens at the largest it does.
constexpr double kDefaultPoints = 10;
constexpr double kLargestPoints = 1638;

forms::FontChoice withDrawableSize(forms::FontChoice font) {
    if (!(font.size > 0)) {
        font.size = kDefaultPoints;
    }
    font.size = std::min(font.size, kLargestPoints);
    return font;
}

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

// The size box as the dialog filled it in and as it stood when OK was pressed: the dialog
// shows whole points, so a size the user left alone keeps the fraction the dialog rounded.
struct SizeBox {
    std::wstring shown;
    std::wstring accepted;
};

thread_local SizeBox* sizeBox = nullptr;

std::wstring sizeText(HWND dialog) {
    wchar_t text[32] = {};
    GetDlgItemTextW(dialog, cmb3, text, 32);
    return text;
}

UINT_PTR CALLBACK watchSize(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (sizeBox == nullptr) {
        return 0;
    }
    if (message == WM_INITDIALOG) {
        sizeBox->shown = sizeText(dialog);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        sizeBox->accepted = sizeText(dialog);
    }
    return 0;  // the dialog itself handles every message
}

double chosenSize(const forms::FontChoice& initial, const SizeBox& box, const LOGFONTW& chosen,
                  INT tenths, int dpi) {
    if (!box.shown.empty() && box.accepted == box.shown) {
        return initial.size;
    }
    if (tenths > 0) {
        return tenths / 10.0;
    }
    return fontPoints(chosen.lfHeight, dpi);
}

forms::FontChoice chosenFont(const LOGFONTW& font, const CHOOSEFONTW& dialog,
                             const forms::FontChoice& initial, const SizeBox& box, int dpi) {
    forms::FontChoice chosen;
    chosen.name = platform::toUtf8(font.lfFaceName);
    chosen.size = chosenSize(initial, box, font, dialog.iPointSize, dpi);
    chosen.bold = font.lfWeight >= FW_SEMIBOLD;
    chosen.italic = font.lfItalic != FALSE;
    chosen.underline = font.lfUnderline != FALSE;
    chosen.strikeThrough = font.lfStrikeOut != FALSE;
    chosen.color = dialog.rgbColors & 0x00FFFFFF;
    return chosen;
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

std::optional<forms::FontChoice> fontDialog(const forms::FontChoice& requested, HWND owner) {
    const forms::FontChoice initial = withDrawableSize(requested);
    const int dpi = screenDpi();
    LOGFONTW font = logFont(initial, dpi);
    SizeBox box;
    SizeBox* const outer = std::exchange(sizeBox, &box);
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &font;
    dialog.Flags = CF_EFFECTS | CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    dialog.lpfnHook = watchSize;
    dialog.rgbColors = initial.color & 0x00FFFFFF;
    const BOOL chosenOne = ChooseFontW(&dialog);
    sizeBox = outer;
    if (!chosenOne) {
        const DWORD failure = CommDlgExtendedError();
        if (failure == 0) {
            return std::nullopt;
        }
        raiseCommonDialogFailure("font dialog", failure);
    }
    return chosenFont(font, dialog, initial, box, dpi);
}

}  // namespace bp::win
