#include "win/WinColorDialog.h"

#include <commdlg.h>

#include "win/DialogFailure.h"

namespace bp::win {

std::array<COLORREF, 16>& sessionCustomColors() {
    // White, as the desktop offers empty custom colour boxes.
    static std::array<COLORREF, 16> colors = [] {
        std::array<COLORREF, 16> white;
        white.fill(RGB(255, 255, 255));
        return white;
    }();
    return colors;
}

std::optional<std::uint32_t> colorDialog(std::uint32_t initial, HWND owner) {
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = initial & 0x00FFFFFF;
    dialog.lpCustColors = sessionCustomColors().data();
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&dialog)) {
        const DWORD failure = CommDlgExtendedError();
        if (failure == 0) {
            return std::nullopt;
        }
        raiseCommonDialogFailure("colour dialog", failure);
    }
    return static_cast<std::uint32_t>(dialog.rgbResult & 0x00FFFFFF);
}

}  // namespace bp::win
